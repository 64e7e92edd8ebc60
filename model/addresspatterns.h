#pragma once

#include <QRegularExpression>
#include <QString>

// The three address patterns shared by every address and subnet mask
// setting. They are compiled once, on first use, and only ever read.
class AddressPatterns
{
public:
    // Any address whose sections are empty or 0 to 255 (leading zeros allowed
    // with three digits); also matches what is still being typed.
    [[nodiscard]] static const QRegularExpression &address();
    // A subnet mask while it is typed: each section empty, up to two digits,
    // or one of the mask byte values.
    [[nodiscard]] static const QRegularExpression &maskTyping();
    // A complete subnet mask: 255s, one mask byte, then 0s.
    [[nodiscard]] static const QRegularExpression &mask();

    // True when text has the form of an address input: four sections of up
    // to three digits, separated by dots.
    [[nodiscard]] static bool hasInputForm(const QString &text);

    // True when pattern matches the whole of text.
    [[nodiscard]] static bool exactMatch(const QRegularExpression &pattern, const QString &text);
    // Length of the longest start of text that the pattern could still
    // accept (the whole text when it matches), or -1 when not even the empty
    // start could. Points at the first character the pattern refuses.
    [[nodiscard]] static int matchedLength(const QRegularExpression &pattern, const QString &text);
};
