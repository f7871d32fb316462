// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.h"

#include "colors.h"
#include "form.h"
#include "image.h"
#include "picturebox.h"
#include "polyled.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace {

QFont designFont(const DesignRow& r)
{
    QFont f(QString::fromLatin1(r.font ? r.font : "Arial"));
    f.setPixelSize(twips::fontPixels(r.fontSize > 0 ? r.fontSize : DialogFontPoints));
    f.setBold(r.bold);
    return f;
}

// Captions are marked for translation in the "Design" context of every window's table; one
// without a translation (a name, a number) reads as written.
QString captionOf(const DesignRow& r)
{
    return r.caption ? QCoreApplication::translate("Design", r.caption) : QString();
}

Control* make(const DesignRow& r, QWidget* parent)
{
    const QString name = QString::fromLatin1(r.name);
    switch (r.kind) {
    case DesignRow::Kind::Label: {
        auto* l = new Label(parent, name, r.index);
        // Unstyled labels take the classic dialog font's metric twin.
        l->setFontName(QString::fromLatin1(r.font ? r.font : "Arial"));
        l->setFontSize(r.fontSize > 0 ? r.fontSize : DialogFontPoints);
        l->setFontBold(r.bold);
        l->setAlignment(r.align);
        l->setWordWrap(r.wordWrap);
        l->setShrinkToFit(r.shrinkToFit);
        l->setBorder(r.border);
        if (r.foreColor != DesignRow::NoColor)
            l->setForeColor(toQColor(r.foreColor));
        if (r.backColor != DesignRow::NoColor)
            l->setOpaque(true, toQColor(r.backColor));
        l->Move(r.left, r.top, r.width, r.height);
        l->setCaption(captionOf(r));
        l->setAutoSize(r.autoSize);
        return l;
    }
    case DesignRow::Kind::PictureBox: {
        auto* b = new PictureBox(parent, name, r.index);
        if (r.backColor != DesignRow::NoColor)
            b->setBackColor(toQColor(r.backColor));
        b->setFocusable(r.tabIndex >= 0);
        b->setBorder(r.border);
        b->Move(r.left, r.top, r.width, r.height);
        return b;
    }
    case DesignRow::Kind::Image: {
        auto* i = new Image(parent, name, r.index);
        i->setStretch(r.stretch);
        i->Move(r.left, r.top, r.width, r.height);
        return i;
    }
    case DesignRow::Kind::Shape: {
        auto* s = new Shape(parent, name, r.index);
        s->setShapeKind(r.shape);
        s->setBorderWidth(r.borderWidth);
        s->setBorderVisible(r.borderColor != DesignRow::NoColor);
        if (r.borderColor != DesignRow::NoColor)
            s->setBorderColor(toQColor(r.borderColor));
        s->setFilled(r.fillColor != DesignRow::NoColor);
        if (r.fillColor != DesignRow::NoColor)
            s->setFillColor(toQColor(r.fillColor));
        s->Move(r.left, r.top, r.width, r.height);
        return s;
    }
    case DesignRow::Kind::PolyLED: {
        auto* d = new PolyLED(parent, name, r.index);
        d->setLeft(r.left);
        d->setTop(r.top);
        d->setSize(r.ledSize);
        d->setCaption(r.digit);
        return d;
    }
    case DesignRow::Kind::Frame: {
        auto* f = new Frame(parent, name, r.index);
        f->setCaption(captionOf(r));
        f->Move(r.left, r.top, r.width, r.height);
        return f;
    }
    case DesignRow::Kind::CommandButton: {
        auto* b = new CommandButton(parent, name, r.index);
        b->setText(captionOf(r));
        b->Move(r.left, r.top, r.width, r.height);
        return b;
    }
    case DesignRow::Kind::OptionButton: {
        auto* o = new OptionButton(parent, name, r.index);
        o->setText(captionOf(r));
        o->Move(r.left, r.top, r.width, r.height);
        return o;
    }
    case DesignRow::Kind::CheckBox: {
        auto* c = new CheckBox(parent, name, r.index);
        c->setText(captionOf(r));
        c->Move(r.left, r.top, r.width, r.height);
        return c;
    }
    case DesignRow::Kind::TextBox: {
        auto* t = new TextBox(parent, name, r.index);
        t->setFont(designFont(r));
        t->setText(captionOf(r));
        t->Move(r.left, r.top, r.width, r.height);
        return t;
    }
    case DesignRow::Kind::ComboBox: {
        auto* c = new ComboBox(parent, name, r.index);
        if (r.caption)
            c->addItems(captionOf(r).split(QLatin1Char('|')));
        c->Move(r.left, r.top, r.width, r.height);
        return c;
    }
    case DesignRow::Kind::HScrollBar: {
        auto* s = new HScrollBar(parent, name, r.index);
        s->Move(r.left, r.top, r.width, r.height);
        return s;
    }
    case DesignRow::Kind::TabControl: {
        auto* t = new TabControl(parent, name, r.index);
        t->Move(r.left, r.top, r.width, r.height);
        return t;
    }
    case DesignRow::Kind::TabPage: {
        auto* tabs = dynamic_cast<TabControl*>(parent);
        Q_ASSERT_X(tabs, "buildControls", "a tab page belongs in a tab control");
        if (!tabs)
            return nullptr;
        return new TabPage(tabs, name, captionOf(r), r.index);
    }
    }
    return nullptr;
}

} // namespace

void buildControls(Form& form, std::span<const DesignRow> rows)
{
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const DesignRow& r : rows) {
        QWidget* parent = &form;
        if (r.parent) {
            Control* c = form.control(QString::fromLatin1(r.parent));
            Q_ASSERT_X(c, "buildControls", r.parent);
            if (c)
                parent = c->widget();
        }
        Control* c = make(r, parent);
        if (!c)
            continue;
        form.addControl(c);
        if (!r.visible)
            c->widget()->setVisible(false);
        if (r.tabIndex >= 0)
            tabOrder.emplace_back(r.tabIndex, c->widget());
    }
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}
