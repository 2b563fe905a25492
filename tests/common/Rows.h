#pragma once

#include <QString>
#include <QTest>

// Tables whose columns all hold text: the columns named in one call, each row added in one call,
// and a cell read back by its column's name.
inline void textColumns(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        QTest::addColumn<QString>(name);
}

inline QString asText(const char* text)
{
    return QString::fromUtf8(text);
}

inline QString asText(const QString& text)
{
    return text;
}

template <typename... Cells> void textRow(const char* name, const Cells&... cells)
{
    (QTest::newRow(name) << ... << asText(cells));
}

inline QString cell(const char* column)
{
    return *static_cast<QString*>(QTest::qData(column, qMetaTypeId<QString>()));
}
