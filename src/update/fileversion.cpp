#include "fileversion.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <optional>

namespace {

const QByteArray SectionName = QByteArrayLiteral(".note.pelquor.version");
const QByteArray NoteName = QByteArrayLiteral("Pelquor");

// Reads little- or big-endian integers out of the file at given offsets;
// every read is checked against the file's size, so a truncated or forged
// header gives nothing instead of reading past the end.
class ElfReader
{
public:
    explicit ElfReader(QFile &file) : m_file(file) {}

    bool little = true;

    std::optional<QByteArray> bytes(quint64 offset, quint64 count)
    {
        if (offset > quint64(m_file.size()) || count > quint64(m_file.size()) - offset)
            return std::nullopt;
        if (!m_file.seek(qint64(offset)))
            return std::nullopt;
        QByteArray data = m_file.read(qint64(count));
        if (quint64(data.size()) != count)
            return std::nullopt;
        return data;
    }

    std::optional<quint64> number(quint64 offset, int size)
    {
        const auto data = bytes(offset, quint64(size));
        if (!data)
            return std::nullopt;
        return decode(*data, 0, size);
    }

    quint64 decode(const QByteArray &data, int at, int size) const
    {
        quint64 value = 0;
        for (int i = 0; i < size; ++i) {
            const quint64 byte = quint8(data.at(at + (little ? size - 1 - i : i)));
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    QFile &m_file;
};

// The contents of the named section, or nothing when the file has none.
std::optional<QByteArray> sectionOf(QFile &file, const QByteArray &name, bool &little)
{
    ElfReader elf(file);
    const auto ident = elf.bytes(0, 16);
    if (!ident || !ident->startsWith("\x7f" "ELF"))
        return std::nullopt;
    const bool wide = ident->at(4) == 2;       // ELFCLASS64
    elf.little = ident->at(5) != 2;            // ELFDATA2MSB is big-endian
    little = elf.little;
    const int word = wide ? 8 : 4;
    const auto shoff = elf.number(wide ? 0x28 : 0x20, word);
    const auto shentsize = elf.number(wide ? 0x3a : 0x2e, 2);
    const auto shnum = elf.number(wide ? 0x3c : 0x30, 2);
    const auto shstrndx = elf.number(wide ? 0x3e : 0x32, 2);
    if (!shoff || !shentsize || !shnum || !shstrndx || *shnum == 0 || *shstrndx >= *shnum)
        return std::nullopt;
    const quint64 entrySize = *shentsize;
    if (entrySize < quint64(wide ? 64 : 40))
        return std::nullopt;
    const auto table = elf.bytes(*shoff, entrySize * *shnum);
    if (!table)
        return std::nullopt;

    struct Section { quint64 name, offset, size; };
    auto section = [&](quint64 i) {
        const int at = int(i * entrySize);
        return Section{elf.decode(*table, at, 4),
                       elf.decode(*table, at + (wide ? 0x18 : 0x10), word),
                       elf.decode(*table, at + (wide ? 0x20 : 0x14), word)};
    };
    const Section strings = section(*shstrndx);
    const auto names = elf.bytes(strings.offset, strings.size);
    if (!names)
        return std::nullopt;
    for (quint64 i = 0; i < *shnum; ++i) {
        const Section s = section(i);
        if (s.name >= quint64(names->size()))
            continue;
        const qsizetype end = names->indexOf('\0', qsizetype(s.name));
        if (names->mid(qsizetype(s.name), end < 0 ? -1 : end - qsizetype(s.name)) != name)
            continue;
        // A section that cannot be read counts as present but unreadable.
        return elf.bytes(s.offset, s.size).value_or(QByteArray());
    }
    return std::nullopt;
}

} // namespace

QString FileVersion(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    ElfReader elf(file);
    const auto note = sectionOf(file, SectionName, elf.little);
    if (!note)
        return QStringLiteral("unknown");

    quint64 ms = 0;
    quint64 ls = 0;
    // namesz, descsz, type, then the name and the description, each padded to 4.
    if (note->size() >= 12) {
        const quint64 namesz = elf.decode(*note, 0, 4);
        const quint64 descsz = elf.decode(*note, 4, 4);
        const quint64 descAt = 12 + ((namesz + 3) & ~quint64(3));
        if (namesz == quint64(NoteName.size()) + 1 && note->mid(12, NoteName.size()) == NoteName
            && descsz >= 8 && descAt + 8 <= quint64(note->size())) {
            ms = elf.decode(*note, int(descAt), 4);
            ls = elf.decode(*note, int(descAt) + 4, 4);
        }
    }
    return QStringLiteral("%1.%2.%3.%4").arg(ms >> 16).arg(ms & 0xffff).arg(ls >> 16).arg(ls & 0xffff);
}
