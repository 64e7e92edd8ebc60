#pragma once

#include <QTest>

#include <array>
#include <cstddef>

// Declares the columns of a data table, one type and one name each.
template <typename... Types> void addColumns(const std::array<const char *, sizeof...(Types)> &names)
{
    std::size_t i = 0;
    (QTest::addColumn<Types>(names[i++]), ...);
}

// Adds one row to a data table, a value per column; plain text goes into
// QString columns.
template <typename... Values> void addRow(const char *name, Values... values)
{
    (QTest::newRow(name) << ... << values);
}
