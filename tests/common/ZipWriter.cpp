#include "common/ZipWriter.h"

#include <array>
#include <QDataStream>
#include <QIODevice>
#include <QProcess>

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

} // namespace

ZipWriter::ZipWriter(const QStringList& members)
{
    for (const QString& member : members) {
        if (member.contains(u"->"_s))
            m_entries.append({member.section(u"->"_s, 0, 0), member.section(u"->"_s, 1).toUtf8(), 0120777});
        else if (member.endsWith(u'/'))
            m_entries.append({member, {}, 040755});
        else
            addFile(member.section(u'=', 0, 0), member.section(u'=', 1).toUtf8());
    }
}

QByteArray ZipWriter::bytes() const
{
    // Every member stored uncompressed, dated 1980-01-01, made on Unix so that its mode counts.
    QByteArray local;
    QByteArray central;
    QDataStream out(&local, QIODevice::WriteOnly);
    QDataStream directory(&central, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    directory.setByteOrder(QDataStream::LittleEndian);
    for (const Entry& entry : m_entries) {
        const QByteArray name = entry.name.toUtf8();
        const quint32 crc = crc32(entry.content);
        const auto size = quint32(entry.content.size());
        const auto offset = quint32(local.size());
        out << quint32(0x04034b50) << quint16(10) << quint16(0) << quint16(0) << quint16(0) << quint16(0x21)
            << crc << size << size << quint16(name.size()) << quint16(0);
        out.writeRawData(name.constData(), int(name.size()));
        out.writeRawData(entry.content.constData(), int(size));
        directory << quint32(0x02014b50) << quint16(0x031E) << quint16(10) << quint16(0) << quint16(0)
                  << quint16(0) << quint16(0x21) << crc << size << size << quint16(name.size()) << quint16(0)
                  << quint16(0) << quint16(0) << quint16(0) << quint32(entry.mode << 16) << offset;
        directory.writeRawData(name.constData(), int(name.size()));
    }
    const auto centralOffset = quint32(local.size());
    const auto count = quint16(m_entries.size());
    out.writeRawData(central.constData(), int(central.size()));
    out << quint32(0x06054b50) << quint16(0) << quint16(0) << count << count << quint32(central.size())
        << centralOffset << quint16(0);
    return local;
}

QStringList zipMembers(const QString& archive)
{
    QProcess list;
    list.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    if (!list.waitForFinished(30000) || list.exitCode() != 0)
        return {};
    return QString::fromUtf8(list.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}
