#pragma once

#include <array>

// Hard bounds on the work one description can cause. Each is far above any
// real device; a description past one is refused as a whole instead of
// taking the program's memory or time. The parser counts what it builds,
// stops building once a count is past its limit, and then drops the model.
class DescriptionLimits
{
public:
    enum Kind {
        Settings,   // settings and categories
        Options,    // options of list settings
        Rules,      // dependency records and their constraints
        Conditions, // conditions and the tests in them
        Changes,    // constraint values and attribute changes, references included
        KindCount
    };

    DescriptionLimits();

    [[nodiscard]] int limit(Kind kind) const { return m_limits[kind]; }
    void setLimit(Kind kind, int limit) { m_limits[kind] = limit; }

    // Counts one more of the kind: false once the count is past its limit,
    // and for every kind after any limit was passed (logged once).
    [[nodiscard]] bool admit(Kind kind);
    [[nodiscard]] bool exceeded() const { return m_exceeded; }
    // Counting starts again from nothing (a new parse).
    void restart();

private:
    std::array<int, KindCount> m_limits;
    std::array<int, KindCount> m_counts{};
    bool m_exceeded = false;
};
