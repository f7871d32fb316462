#include "entry.h"
#include "fakes.h"
#include "frmscoreboard.h"
#include "fuzzconfig.h"
#include "polyled.h"
#include "settingsstore.h"
#include "settingvariables.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

// Number entry on the real board: any stream of keys on any number field must leave every
// row showing a number of its own range, written as a number is written (no gaps, no
// leading zeros), or blank where the field may be blank.
//
// The input is a sequence of steps of two bytes: the first picks a number field, the second
// is the key code pressed on it. A first byte with the high bit set instead applies the
// next bytes (as many as the second byte says, up to 24) as a value text straight through
// ShowDigits, the way the penalty and score code call it.

namespace {

constexpr size_t MaxText = 24;

frmScoreBoard* board = nullptr;
std::vector<const frmScoreBoard::Field*> numberFields;
std::vector<std::vector<int16_t>> startCaptions;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkRow(const frmScoreBoard::Field& f)
{
    const DigitRow& row = *f.row;
    int64_t value = 0;
    bool started = false;
    // Member 0 is the units digit: read from the most significant one.
    for (size_t i = row.size(); i-- > 0;) {
        const int16_t d = row[i]->Caption();
        check(d >= PolyLED::BlankDigit && d <= 9);
        if (d == PolyLED::BlankDigit) {
            check(!started);
            continue;
        }
        check(started || d != 0 || i == 0);
        started = true;
        value = value * 10 + d;
    }
    if (started)
        check(value >= f.minValue && value <= f.maxValue);
    else
        check(f.minValue == -1);
}

void restoreBoard()
{
    for (size_t k = 0; k < numberFields.size(); ++k) {
        const DigitRow& row = *numberFields[k]->row;
        for (size_t i = 0; i < row.size(); ++i)
            row[i]->setCaption(startCaptions[k][i]);
    }
    EntryBuffer = TypedNumber();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    useTemporaryConfig();
    static int argc = 1;
    static char name[] = "fuzz_entry";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time the fuzzer exits.
    static auto* app = new QApplication(argc, argv);
    (void)app;
    static auto* store = new FakeStore;
    static auto* keyboard = new FakeKeyboard;
    (void)store;
    (void)keyboard;
    LoadSettings();
    board = new frmScoreBoard;
    board->tmrClock1.stop();
    for (const frmScoreBoard::Field& f : board->fields()) {
        if (!f.row || f.minValue == f.maxValue)
            continue;
        numberFields.push_back(&f);
        std::vector<int16_t> captions;
        for (const PolyLED* d : *f.row)
            captions.push_back(d->Caption());
        startCaptions.push_back(std::move(captions));
        checkRow(f);
    }
    check(!numberFields.empty());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    restoreBoard();
    size_t i = 0;
    while (i + 1 < size) {
        const uint8_t pick = data[i];
        const uint8_t second = data[i + 1];
        i += 2;
        const frmScoreBoard::Field& f = *numberFields[(pick & 0x7F) % numberFields.size()];
        if (pick & 0x80) {
            const size_t length = std::min<size_t>({second, MaxText, size - i});
            const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + i),
                                                     static_cast<qsizetype>(length));
            i += length;
            ShowDigits(*f.row, text, f.minValue, f.maxValue);
        } else {
            board->EnterDigits(*f.row, board->KeyCodeToAsci(second), f.minValue, f.maxValue);
        }
        for (const frmScoreBoard::Field* g : numberFields)
            checkRow(*g);
    }
    return 0;
}
