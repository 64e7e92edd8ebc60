#include "model/descriptionlimits.h"

#include "base/debuglog.h"

namespace {
const char *const KindNames[DescriptionLimits::KindCount] = {
    "settings and categories", "options", "rules", "conditions and tests", "values and attribute changes"};
} // namespace

DescriptionLimits::DescriptionLimits() : m_limits{200000, 1000000, 200000, 1000000, 1000000}
{}

bool DescriptionLimits::admit(Kind kind)
{
    // Past one limit nothing more is built: the description is refused anyway.
    if (m_exceeded)
        return false;
    if (m_counts[kind] >= m_limits[kind]) {
        if (!m_exceeded)
            DebugLog("SettingsParser: the description holds more than %d %s and is refused", m_limits[kind],
                     KindNames[kind]);
        m_exceeded = true;
        return false;
    }
    ++m_counts[kind];
    return true;
}

void DescriptionLimits::restart()
{
    m_counts.fill(0);
    m_exceeded = false;
}
