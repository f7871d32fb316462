// SPDX-License-Identifier: GPL-3.0-or-later
#include "qrcode.h"

#include <memory>
#include <qrencode.h>

namespace {

// Readers want four light modules around the code.
constexpr int QuietZone = 4;

struct FreeCode
{
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

std::vector<bool> qrCodeModules(const QByteArray& text, int* side)
{
    *side = 0;
    // As bytes (8-bit mode): a web address holds letters of both cases, which the
    // alphanumeric mode cannot take. Version 0: as small as the text allows.
    const std::unique_ptr<QRcode, FreeCode> code(QRcode_encodeData(
        static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.constData()), 0,
        QR_ECLEVEL_M));
    if (!code)
        return {};
    *side = code->width;
    std::vector<bool> modules(static_cast<size_t>(code->width) * static_cast<size_t>(code->width));
    for (size_t i = 0; i < modules.size(); ++i)
        modules[i] = (code->data[i] & 1) != 0; // the lowest bit is the module's colour
    return modules;
}

QImage qrCodeImage(const QByteArray& text, int moduleSize)
{
    int side = 0;
    const std::vector<bool> modules = qrCodeModules(text, &side);
    if (modules.empty() || moduleSize < 1)
        return QImage();
    const int pixels = (side + 2 * QuietZone) * moduleSize;
    QImage image(pixels, pixels, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (!modules[static_cast<size_t>(y * side + x)])
                continue;
            for (int dy = 0; dy < moduleSize; ++dy)
                for (int dx = 0; dx < moduleSize; ++dx)
                    image.setPixel((x + QuietZone) * moduleSize + dx,
                                   (y + QuietZone) * moduleSize + dy, 1);
        }
    return image;
}
