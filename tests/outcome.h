#pragma once

#include "runtimeerror.h"

#include <QString>
#include <QStringList>

#include <array>
#include <charconv>
#include <string>

// What a computation gave, as text that an exact table can hold: the shortest digits that read
// back as the same double, the texts joined by "|", or "error N".
inline QString describe(double value)
{
    std::array<char, 32> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

inline QString describe(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

template <std::size_t N> QString describe(const std::array<std::u16string, N> &texts)
{
    QStringList joined;
    for (const std::u16string &text : texts)
        joined << describe(text);
    return joined.join(u'|');
}

template <typename Compute> QString outcome(Compute compute)
{
    try {
        return describe(compute());
    } catch (const RuntimeError &error) {
        return QStringLiteral("error %1").arg(error.number());
    }
}
