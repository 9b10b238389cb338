// libFuzzer target over the calculation core. The first byte chooses the user's conventions and
// how the rest is read: as UTF-16 code units (lone surrogates and all), or as bytes decoded the way
// a pasted UTF-8 text reaches the boxes. The text splits at its first line break into the high and
// the low. Every pair must give seven well-formed texts that read back as shown, or a defined
// error that names the same faulty input for both commands.
#include "displayrule.h"
#include "levelcommands.h"
#include "priceerror.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

bool wellFormed(const std::u16string &shown, char16_t decimalPoint)
{
    const std::size_t digitsFrom = !shown.empty() && shown.front() == u'-' ? 1 : 0;
    if (shown.size() < digitsFrom + 4 || shown[shown.size() - 3] != decimalPoint)
        return false;
    for (std::size_t i = digitsFrom; i < shown.size(); ++i)
        if (i != shown.size() - 3 && (shown[i] < u'0' || shown[i] > u'9'))
            return false;
    return shown[digitsFrom] != u'0' || shown.size() - digitsFrom == 4;
}

void check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool commaUser = data[0] & 1;
    const NumberConventions conventions
        = commaUser ? NumberConventions { u',', u'.' } : NumberConventions { u'.', u',' };
    std::u16string text;
    if (data[0] & 2) {
        text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))
                   .toStdU16String();
    } else {
        text.resize((size - 1) / 2);
        std::memcpy(text.data(), data + 1, text.size() * 2);
    }
    const std::size_t lineBreak = std::min(text.find(u'\n'), text.size());
    const std::u16string_view high = std::u16string_view(text).substr(0, lineBreak);
    const std::u16string_view low
        = std::u16string_view(text).substr(std::min(lineBreak + 1, text.size()));

    std::pair<int, Faulty> errors[2] {};
    int command = 0;
    for (const auto levels : { supportLevels, resistanceLevels }) {
        try {
            for (const std::u16string &shown : levels(high, low, conventions)) {
                check(wellFormed(shown, conventions.decimalPoint));
                check(displayText(textToDouble(shown, conventions), conventions) == shown);
            }
        } catch (const PriceError &error) {
            check(error.code() == ErrorCode::TypeMismatch || error.code() == ErrorCode::Overflow);
            errors[command] = { error.number(), error.faulty() };
        }
        ++command;
    }
    check(errors[0] == errors[1]);
    return 0;
}
