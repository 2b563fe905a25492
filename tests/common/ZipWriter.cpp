#include "common/ZipWriter.h"

#include <array>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

quint32 crc32(const QByteArray& data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void put16(QByteArray& out, quint32 value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

QByteArray ZipWriter::bytes() const
{
    QByteArray out;
    QByteArray central;
    for (const Entry& entry : m_entries) {
        const QByteArray name = entry.name.toUtf8();
        const quint32 crc = crc32(entry.content);
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50);
        put16(out, 10);   // version needed
        put16(out, 0);    // flags
        put16(out, 0);    // stored
        put16(out, 0);    // time
        put16(out, 0x21); // date
        put32(out, crc);
        put32(out, quint32(entry.content.size()));
        put32(out, quint32(entry.content.size()));
        put16(out, quint32(name.size()));
        put16(out, 0);
        out.append(name);
        out.append(entry.content);

        const quint32 mode = entry.kind == Kind::Link     ? 0120777
                             : entry.kind == Kind::Folder ? 040755
                                                          : 0100644;
        put32(central, 0x02014b50);
        put16(central, 0x031E); // made by Unix
        put16(central, 10);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0x21);
        put32(central, crc);
        put32(central, quint32(entry.content.size()));
        put32(central, quint32(entry.content.size()));
        put16(central, quint32(name.size()));
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, mode << 16);
        put32(central, offset);
        central.append(name);
    }
    const quint32 centralOffset = quint32(out.size());
    out.append(central);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(m_entries.size()));
    put16(out, quint32(m_entries.size()));
    put32(out, quint32(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

bool ZipWriter::write(const QString& path) const
{
    QFile file(path);
    const QByteArray data = bytes();
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

ZipWriter::ZipWriter(const QStringList& members)
{
    for (const QString& member : members) {
        if (member.contains(u"->"_s))
            addLink(member.section(u"->"_s, 0, 0), member.section(u"->"_s, 1));
        else if (member.endsWith(u'/'))
            addFolder(member);
        else
            addFile(member.section(u'=', 0, 0), member.section(u'=', 1).toUtf8());
    }
}
