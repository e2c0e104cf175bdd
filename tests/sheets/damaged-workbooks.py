#!/usr/bin/python3
"""Writes the workbooks of samples/damaged/ that are made on purpose, and the big ones the
tests make in their own folders.

Crafted to take far more memory than their size, as a hostile or broken generator could:
many sheet entries pointing at one far row, shared strings that inflate to a gigabyte.
Damaged copies of samples/chart.xls (written by LibreOffice from chart.fods), each with one
fault a reader must catch: a circular sector chain, a last sector cut short (after or inside
the stream's data), a stream shorter than its directory entry declares, an allocation table
larger than the file, BIFF records running past the stream, and an embedded chart's section
holding cell records.

usage: damaged-workbooks.py FOLDER NAME...   (NAME as below, or "kept" for samples/damaged/)
"""
import os
import struct
import sys
import zipfile
import zlib

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELATIONS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PACKAGE = "http://schemas.openxmlformats.org/package/2006/relationships"


def workbook_xml(sheets):
    entries = "".join('<sheet name="S%d" sheetId="%d" r:id="rId1"/>' % (i, i) for i in range(1, sheets + 1))
    return '<workbook xmlns="%s" xmlns:r="%s"><sheets>%s</sheets></workbook>' % (MAIN, RELATIONS, entries)


def relations_xml(parts):
    items = "".join('<Relationship Id="%s" Type="%s/%s" Target="%s"/>' % (rid, RELATIONS, kind, target)
                    for rid, kind, target in parts)
    return '<Relationships xmlns="%s">%s</Relationships>' % (PACKAGE, items)


def sheet_xml(row):
    return ('<worksheet xmlns="%s"><sheetData><row r="%d"><c r="A%d"><v>1</v></c></row></sheetData></worksheet>'
            % (MAIN, row, row))


def add_part(z, name, text):
    """A part of a fixed date, so that a file written again is the same."""
    z.writestr(zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0)), text, compress_type=zipfile.ZIP_DEFLATED)


def many_sheets_xlsx(path, sheets):
    """`sheets` entries, all of the one part whose only row is the last a sheet has."""
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        add_part(z, "xl/workbook.xml", workbook_xml(sheets))
        add_part(z, "xl/_rels/workbook.xml.rels", relations_xml([("rId1", "worksheet", "worksheets/sheet1.xml")]))
        add_part(z, "xl/worksheets/sheet1.xml", sheet_xml(1048576))


def shared_strings_bomb_xlsx(path):
    """One sheet; its shared strings part inflates to 1 GiB of empty <si/> from 1.5 MB. The
    deflate stream repeats one flushed block, so writing it takes no compressing of a gigabyte."""
    head = ('<sst xmlns="%s">' % MAIN).encode()
    tail = b"</sst>"
    chunk = b"<si/>" * 209715
    repeats = 1024
    size = len(head) + len(chunk) * repeats + len(tail)
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    first = packer.compress(head + chunk) + packer.flush(zlib.Z_SYNC_FLUSH)
    again = packer.compress(chunk) + packer.flush(zlib.Z_SYNC_FLUSH)
    probe = packer.copy()
    assert probe.compress(chunk) + probe.flush(zlib.Z_SYNC_FLUSH) == again
    last = packer.compress(tail) + packer.flush(zlib.Z_FINISH)
    crc = zlib.crc32(head + chunk)
    for _ in range(repeats - 1):
        crc = zlib.crc32(chunk, crc)
    crc = zlib.crc32(tail, crc)
    deflated = first + again * (repeats - 1) + last

    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        add_part(z, "xl/workbook.xml", workbook_xml(1))
        add_part(z, "xl/_rels/workbook.xml.rels", relations_xml([
            ("rId1", "worksheet", "worksheets/sheet1.xml"), ("rId2", "sharedStrings", "sharedStrings.xml")]))
        add_part(z, "xl/worksheets/sheet1.xml", sheet_xml(1))
    # The part is added by hand: zipfile would deflate the whole gigabyte.
    with open(path, "r+b") as f:
        data = f.read()
        directory = data.index(b"PK\x01\x02")
        end = data.index(b"PK\x05\x06")
        entries, central = data[directory:end], data[end:]
        name = b"xl/sharedStrings.xml"
        offset = directory
        local = struct.pack("<4s5H3I2H", b"PK\x03\x04", 20, 0, 8, 0, 0x21, crc, len(deflated), size, len(name), 0)
        entry = struct.pack("<4s6H3I5H2I", b"PK\x01\x02", 20, 20, 0, 8, 0, 0x21, crc, len(deflated), size,
                            len(name), 0, 0, 0, 0, 0, offset)
        count = struct.unpack_from("<H", central, 10)[0] + 1
        f.seek(directory)
        f.write(local + name + deflated)
        start = f.tell()
        f.write(entries + entry + name)
        length = f.tell() - start
        f.write(central[:8] + struct.pack("<HHII", count, count, length, start) + central[20:])
        f.truncate()


def record(kind, data):
    return struct.pack("<HH", kind, len(data)) + data


def bof(kind):
    return record(0x0809, struct.pack("<HHHHII", 0x0600, kind, 0x0DBB, 0x07CC, 0, 6))


def many_sheets_xls(path, sheets):
    """A BIFF8 workbook of `sheets` BOUNDSHEET records, all of the one sheet whose only cell
    is in the last row an .xls sheet has."""
    names = [("S%d" % i).encode() for i in range(1, sheets + 1)]
    bound = lambda name, at: record(0x0085, struct.pack("<IBBBB", at, 0, 0, len(name), 0) + name)
    globals_size = len(bof(0x0005)) + sum(len(bound(n, 0)) for n in names) + len(record(0x000A, b""))
    stream = bof(0x0005) + b"".join(bound(n, globals_size) for n in names) + record(0x000A, b"")
    stream += bof(0x0010) + record(0x0203, struct.pack("<HHHd", 65535, 0, 15, 1.0)) + record(0x000A, b"")
    write_compound_file(path, "Workbook", stream.ljust(4096, b"\0"))


def write_compound_file(path, name, stream):
    """Version 3, 512-byte sectors: the allocation table, the stream, one directory sector.
    The stream is at least 4096 bytes, so it needs no mini stream."""
    sector = 512
    data_sectors = -(-len(stream) // sector)
    fat_sectors = 1
    while fat_sectors * 128 < fat_sectors + data_sectors + 1:
        fat_sectors += 1
    assert fat_sectors <= 109
    directory_at = fat_sectors + data_sectors
    fat = [0xFFFFFFFD] * fat_sectors
    fat += [fat_sectors + i + 1 for i in range(data_sectors - 1)] + [0xFFFFFFFE]
    fat += [0xFFFFFFFE]
    fat += [0xFFFFFFFF] * (fat_sectors * 128 - len(fat))

    header = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16
    header += struct.pack("<HHHHH", 0x003E, 3, 0xFFFE, 9, 6) + b"\0" * 6
    header += struct.pack("<IIIIIIIII", 0, fat_sectors, directory_at, 0, 4096, 0xFFFFFFFE, 0, 0xFFFFFFFE, 0)
    header += b"".join(struct.pack("<I", i) for i in range(fat_sectors)) + b"\xFF\xFF\xFF\xFF" * (109 - fat_sectors)

    def entry(text, kind, child, start, size):
        units = text.encode("utf-16-le") + b"\0\0"
        return (units.ljust(64, b"\0") + struct.pack("<HBBIII", len(units), kind, 1, 0xFFFFFFFF, 0xFFFFFFFF, child)
                + b"\0" * 36 + struct.pack("<III", start, size, 0))

    empty = entry("", 0, 0xFFFFFFFF, 0, 0)
    directory = entry("Root Entry", 5, 1, 0xFFFFFFFE, 0) + entry(name, 2, 0xFFFFFFFF, fat_sectors, len(stream))
    directory += empty * 2
    with open(path, "wb") as f:
        f.write(header)
        f.write(struct.pack("<%dI" % len(fat), *fat))
        f.write(stream.ljust(data_sectors * sector, b"\0"))
        f.write(directory)


class CompoundFile:
    """A version 3 compound file of one allocation sector, as LibreOffice writes small ones."""

    def __init__(self, path):
        self.data = bytearray(open(path, "rb").read())
        assert struct.unpack_from("<I", self.data, 44)[0] == 1
        self.fat_at = 512 + 512 * struct.unpack_from("<I", self.data, 76)[0]

    def fat(self, sector):
        return struct.unpack_from("<I", self.data, self.fat_at + 4 * sector)[0]

    def set_fat(self, sector, value):
        struct.pack_into("<I", self.data, self.fat_at + 4 * sector, value)

    def chain(self, start):
        sectors = []
        while start != 0xFFFFFFFE:
            sectors.append(start)
            start = self.fat(start)
        return sectors

    def entry(self, name):
        """The file offset of the directory entry of that name."""
        for sector in self.chain(struct.unpack_from("<I", self.data, 48)[0]):
            for at in range(512 + 512 * sector, 1024 + 512 * sector, 128):
                length = struct.unpack_from("<H", self.data, at + 64)[0]
                if self.data[at:at + length - 2].decode("utf-16-le") == name:
                    return at
        raise KeyError(name)

    def stream_offset(self, name, offset):
        """The file offset of a byte of a stream in the regular sectors."""
        start = struct.unpack_from("<I", self.data, self.entry(name) + 116)[0]
        return 512 + 512 * self.chain(start)[offset // 512] + offset % 512

    def records(self, name):
        """(type, length, file offset of its header) of every BIFF record of the stream."""
        size = struct.unpack_from("<I", self.data, self.entry(name) + 120)[0]
        at = 0
        while at + 4 <= size:
            header = self.stream_offset(name, at)
            kind, length = struct.unpack_from("<HH", self.data, header)
            yield kind, length, header
            at += 4 + length

    def save(self, path):
        open(path, "wb").write(self.data)


def chart_sample():
    return CompoundFile(SAMPLES + "/chart.xls")


def workbook_chain(book):
    return book.chain(struct.unpack_from("<I", book.data, book.entry("Workbook") + 116)[0])


def circular_chain(path):
    book = chart_sample()
    sectors = workbook_chain(book)
    book.set_fat(sectors[-1], sectors[0])
    book.save(path)


def short_last_sector(path, missing=0):
    """The Workbook's last sector moved to the end of the file and cut after the stream's
    data, as writers that leave out the last sector's padding do; `missing` bytes of the
    data cut off too."""
    book = chart_sample()
    sectors = workbook_chain(book)
    size = struct.unpack_from("<I", book.data, book.entry("Workbook") + 120)[0]
    moved = (len(book.data) - 512) // 512
    book.data += book.data[512 + 512 * sectors[-1]:1024 + 512 * sectors[-1]]
    book.set_fat(sectors[-2], moved)
    book.set_fat(moved, 0xFFFFFFFE)
    book.set_fat(sectors[-1], 0xFFFFFFFF)
    del book.data[512 + 512 * moved + (size - 512 * (len(sectors) - 1)) - missing:]
    book.save(path)


def stream_longer_than_chain(path):
    book = chart_sample()
    size_at = book.entry("Workbook") + 120
    struct.pack_into("<I", book.data, size_at, struct.unpack_from("<I", book.data, size_at)[0] + 4096)
    book.save(path)


def table_larger_than_file(path):
    """The header lists more allocation sectors than the file has, all the real one."""
    book = chart_sample()
    sectors = (len(book.data) - 512) // 512
    struct.pack_into("<I", book.data, 44, sectors + 10)
    struct.pack_into("<%dI" % (sectors + 10), book.data, 76, *[0] * (sectors + 10))
    book.save(path)


def record_past_end(path, in_sheet):
    """The length of the last cell record of the sheet, or of the first FONT record of the
    globals, runs past the end of the stream."""
    book = chart_sample()
    records = list(book.records("Workbook"))
    if in_sheet:
        header = [at for kind, _, at in records if kind in (0x00FD, 0x027E)][-1]
    else:
        header = next(at for kind, _, at in records if kind == 0x0031)
    struct.pack_into("<H", book.data, header + 2, 0xFFFF)
    book.save(path)


def chart_cells(path):
    """Records of the embedded chart's section rewritten, at their lengths, as cells of A1 and
    B2: a NUMBER and a LABELSST, as charts keep their cached values."""
    book = chart_sample()
    depth, chart = 0, []
    for kind, length, at in book.records("Workbook"):
        if kind == 0x0809:
            depth += 1
        elif kind == 0x000A:
            depth -= 1
        elif depth == 2 and length >= 14:
            chart.append((length, at))
    (number_length, number_at), (label_length, label_at) = chart[0], chart[1]
    struct.pack_into("<HHHHHd", book.data, number_at, 0x0203, number_length, 1, 1, 15, 999.0)
    struct.pack_into("<HHHHHI", book.data, label_at, 0x00FD, label_length, 0, 0, 15, 2)
    book.save(path)


SAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "samples")
MADE = {
    "many-sheets-far-row.xlsx": lambda path: many_sheets_xlsx(path, 100),
    "three-thousand-sheets.xlsx": lambda path: many_sheets_xlsx(path, 3000),
    "many-sheets-far-row.xls": lambda path: many_sheets_xls(path, 1000),
    "sixty-thousand-sheets.xls": lambda path: many_sheets_xls(path, 60000),
    "shared-strings-bomb.xlsx": shared_strings_bomb_xlsx,
    "circular-chain.xls": circular_chain,
    "short-last-sector.xls": short_last_sector,
    "cut-in-last-sector.xls": lambda path: short_last_sector(path, missing=10),
    "stream-longer-than-chain.xls": stream_longer_than_chain,
    "table-larger-than-file.xls": table_larger_than_file,
    "record-past-end.xls": lambda path: record_past_end(path, in_sheet=True),
    "globals-record-past-end.xls": lambda path: record_past_end(path, in_sheet=False),
    "chart-cells.xls": chart_cells,
}
BIG = ["sixty-thousand-sheets.xls", "shared-strings-bomb.xlsx"]

if __name__ == "__main__":
    folder, names = sys.argv[1], sys.argv[2:]
    for name in [n for n in MADE if n not in BIG] if names == ["kept"] else names:
        MADE[name](os.path.join(folder, name))
