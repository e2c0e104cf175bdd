#!/usr/bin/python3
"""Writes the workbooks of samples/damaged/ that are made on purpose, and the big ones the
tests make in their own folders.

Crafted to take far more memory than their size, as a hostile or broken generator could:
many sheet entries pointing at one far row, shared strings that inflate to a gigabyte, eight
million empty shared strings, a sheet name of 40 million characters, elements nested ten
million deep, rows of one far cell beside incompressible data that raises what the file may
take. Beside them the three that took gigabytes before they were refused: a sheet of 900 MiB
of blanks and 1,000 MiB of empty shared strings, each beside 8 MiB of incompressible data,
and an ordinary sheet of 1,000,000 rows of 30 numbers (about 100 MB).
Damaged copies of samples/chart.xls (written by LibreOffice from chart.fods), each with one
fault a reader must catch: a circular sector chain, a last sector cut short (after or inside
the stream's data), a short sector inside a chain, a stream shorter than its directory entry
declares, an allocation table larger than the file, BIFF records running past the stream,
and an embedded chart's section holding cell records. Small workbooks kept in the mini
stream, one whole and one whose mini stream runs past the end of the file, and a circular
chain in a file of a 16,384-sector allocation table.

usage: damaged-workbooks.py FOLDER NAME...   (NAME as below, "kept" for samples/damaged/, "big"
                                              for those the tests make, or "memory" for the
                                              three that took gigabytes)
"""
import array
import os
import random
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


def noise(size):
    """Incompressible bytes, the same each time."""
    return random.Random(size).randbytes(size)


def deflated_piece(data, last=False):
    """Raw deflate blocks of `data` that refer to nothing before them and end on a byte, so
    that pieces can be laid one after another; the last piece ends the stream."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return packer.compress(data) + packer.flush(zlib.Z_FINISH if last else zlib.Z_FULL_FLUSH)


def add_repeated_part(path, name, head, chunk, repeats, tail):
    """Adds the part head + chunk * repeats + tail to the zip file: the chunk is deflated once
    and its blocks repeated, so a gigabyte takes no compressing of a gigabyte."""
    size = len(head) + len(chunk) * repeats + len(tail)
    deflated = deflated_piece(head) + deflated_piece(chunk) * repeats + deflated_piece(tail, last=True)
    crc = zlib.crc32(head)
    for _ in range(repeats):
        crc = zlib.crc32(chunk, crc)
    crc = zlib.crc32(tail, crc)
    with open(path, "r+b") as f:
        data = f.read()
        directory = data.index(b"PK\x01\x02")
        end = data.index(b"PK\x05\x06")
        entries, central = data[directory:end], data[end:]
        name = name.encode()
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


def workbook_zip(path, parts, noise_bytes=0, book=workbook_xml(1)):
    """A workbook of one sheet "S1" (xl/worksheets/sheet1.xml, with xl/sharedStrings.xml as its
    shared strings) of the parts given, and `noise_bytes` of incompressible data stored as a
    picture would be."""
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        add_part(z, "xl/workbook.xml", book)
        add_part(z, "xl/_rels/workbook.xml.rels", relations_xml([
            ("rId1", "worksheet", "worksheets/sheet1.xml"), ("rId2", "sharedStrings", "sharedStrings.xml")]))
        for name, text in parts:
            add_part(z, name, text)
        if noise_bytes:
            z.writestr(zipfile.ZipInfo("xl/media/noise.bin", date_time=(2024, 1, 1, 0, 0, 0)), noise(noise_bytes))


SHEET_HEAD = ('<worksheet xmlns="%s"><sheetData>' % MAIN).encode()
SHEET_TAIL = b"</sheetData></worksheet>"
SST_HEAD = ('<sst xmlns="%s">' % MAIN).encode()
MIB = 1 << 20


def shared_strings_bomb_xlsx(path):
    """One sheet; its shared strings part inflates to 1 GiB of empty <si/> from 1.5 MB."""
    workbook_zip(path, [("xl/worksheets/sheet1.xml", sheet_xml(1))])
    add_repeated_part(path, "xl/sharedStrings.xml", SST_HEAD, b"<si/>" * 209715, 1024, b"</sst>")


def blank_sheet_xlsx(path):
    """A sheet of 900 MiB of blanks, beside 8 MiB of incompressible data: 9 MB in all."""
    workbook_zip(path, [], noise_bytes=8 * MIB)
    add_repeated_part(path, "xl/worksheets/sheet1.xml", SHEET_HEAD, b" " * MIB, 900, SHEET_TAIL)


def empty_strings_xlsx(path):
    """1,000 MiB of empty shared strings beside 8 MiB of incompressible data."""
    workbook_zip(path, [("xl/worksheets/sheet1.xml", sheet_xml(1))], noise_bytes=8 * MIB)
    add_repeated_part(path, "xl/sharedStrings.xml", SST_HEAD, b"<si/>" * (MIB // 5), 1000, b"</sst>")


def million_rows_xlsx(path):
    """An ordinary sheet of 1,000,000 rows of 30 numbers, about 100 MB: a thousand rows
    repeated, rows and cells without references, as the format allows."""
    numbers = random.Random(30)
    rows = b"".join(b"<row>" + b"".join(b"<c><v>%d</v></c>" % numbers.randrange(1000000) for _ in range(30)) + b"</row>"
                    for _ in range(1000))
    workbook_zip(path, [])
    add_repeated_part(path, "xl/worksheets/sheet1.xml", SHEET_HEAD, rows, 1000, SHEET_TAIL)


def long_sheet_name_xlsx(path):
    """One sheet whose name is 40 million characters, beside incompressible data that lets
    the file take a little more than the XML reader holds for the name's start tag, and less
    than the name's own copy needs besides."""
    book = ('<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="%s" sheetId="1" r:id="rId1"/></sheets></workbook>'
            % (MAIN, RELATIONS, "n" * 40000000))
    workbook_zip(path, [("xl/worksheets/sheet1.xml", sheet_xml(1))], noise_bytes=7240000, book=book)


def nested_xlsx(path):
    """A sheet of 10 million elements open one inside the other, in 30 KB."""
    workbook_zip(path, [])
    add_repeated_part(path, "xl/worksheets/sheet1.xml", SHEET_HEAD, b"<a>" * MIB, 10, SHEET_TAIL)


def far_rows_xlsx(path, noise_bytes):
    """6,400 rows whose one cell is in the last column, 4 GB of row slots, beside
    `noise_bytes` of incompressible data that decide what the file may take."""
    workbook_zip(path, [("xl/worksheets/sheet1.xml", SHEET_HEAD + b'<row><c r="XFD1"><v>1</v></c></row>' * 6400 + SHEET_TAIL)],
                 noise_bytes=noise_bytes)


def record(kind, data):
    return struct.pack("<HH", kind, len(data)) + data


def bof(kind):
    return record(0x0809, struct.pack("<HHHHII", 0x0600, kind, 0x0DBB, 0x07CC, 0, 6))


def many_sheets_stream(sheets):
    """A BIFF8 workbook of `sheets` BOUNDSHEET records, all of the one sheet whose only cell
    is in the last row an .xls sheet has."""
    names = [("S%d" % i).encode() for i in range(1, sheets + 1)]
    bound = lambda name, at: record(0x0085, struct.pack("<IBBBB", at, 0, 0, len(name), 0) + name)
    globals_size = len(bof(0x0005)) + sum(len(bound(n, 0)) for n in names) + len(record(0x000A, b""))
    stream = bof(0x0005) + b"".join(bound(n, globals_size) for n in names) + record(0x000A, b"")
    return stream + bof(0x0010) + record(0x0203, struct.pack("<HHHd", 65535, 0, 15, 1.0)) + record(0x000A, b"")


def many_sheets_xls(path, sheets):
    write_compound_file(path, "Workbook", many_sheets_stream(sheets).ljust(4096, b"\0"))


def directory_entry(text, kind, child, start, size):
    units = text.encode("utf-16-le") + b"\0\0"
    return (units.ljust(64, b"\0") + struct.pack("<HBBIII", len(units), kind, 1, 0xFFFFFFFF, 0xFFFFFFFF, child)
            + b"\0" * 36 + struct.pack("<III", start, size, 0))


def compound_header(fat_sectors, directory_at, mini_fat_at=0xFFFFFFFE, mini_fat_sectors=0, difat_at=0xFFFFFFFE,
                    difat_sectors=0):
    """Version 3, 512-byte sectors; the first 109 allocation sectors are 0, 1, 2..."""
    header = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16
    header += struct.pack("<HHHHH", 0x003E, 3, 0xFFFE, 9, 6) + b"\0" * 6
    header += struct.pack("<IIIIIIIII", 0, fat_sectors, directory_at, 0, 4096, mini_fat_at, mini_fat_sectors,
                          difat_at, difat_sectors)
    listed = min(fat_sectors, 109)
    return header + struct.pack("<%dI" % listed, *range(listed)) + b"\xFF\xFF\xFF\xFF" * (109 - listed)


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

    empty = directory_entry("", 0, 0xFFFFFFFF, 0, 0)
    directory = directory_entry("Root Entry", 5, 1, 0xFFFFFFFE, 0) + directory_entry(name, 2, 0xFFFFFFFF, fat_sectors, len(stream))
    directory += empty * 2
    with open(path, "wb") as f:
        f.write(compound_header(fat_sectors, directory_at))
        f.write(struct.pack("<%dI" % len(fat), *fat))
        f.write(stream.ljust(data_sectors * sector, b"\0"))
        f.write(directory)


def small_workbook_stream():
    """A BIFF8 workbook of one sheet "S1" whose A1 holds 42: 80 bytes."""
    boundsheet = lambda at: record(0x0085, struct.pack("<IBBBB", at, 0, 0, 2, 0) + b"S1")
    globals_size = len(bof(0x0005)) + len(boundsheet(0)) + len(record(0x000A, b""))
    return (bof(0x0005) + boundsheet(globals_size) + record(0x000A, b"") + bof(0x0010)
            + record(0x0203, struct.pack("<HHHd", 0, 0, 15, 42.0)) + record(0x000A, b""))


def mini_stream_xls(path, past_end=False):
    """The small workbook in the mini stream, whose container is one sector; `past_end` adds a
    second sector to the container's chain, past the end of the file."""
    stream = small_workbook_stream()
    beyond = 50
    fat = [0xFFFFFFFD, 0xFFFFFFFE, 0xFFFFFFFE, beyond if past_end else 0xFFFFFFFE]
    fat += [0xFFFFFFFF] * (128 - len(fat))
    if past_end:
        fat[beyond] = 0xFFFFFFFE
    mini_sectors = -(-len(stream) // 64)
    mini_fat = list(range(1, mini_sectors)) + [0xFFFFFFFE]
    mini_fat += [0xFFFFFFFF] * (128 - len(mini_fat))
    empty = directory_entry("", 0, 0xFFFFFFFF, 0, 0)
    directory = (directory_entry("Root Entry", 5, 1, 3, 1024 if past_end else 64 * mini_sectors)
                 + directory_entry("Workbook", 2, 0xFFFFFFFF, 0, len(stream)) + empty * 2)
    with open(path, "wb") as f:
        f.write(compound_header(1, 1, mini_fat_at=2, mini_fat_sectors=1))
        f.write(struct.pack("<128I", *fat))
        f.write(directory)
        f.write(struct.pack("<128I", *mini_fat))
        f.write(stream.ljust(512, b"\0"))


def circular_chain_big_table_xls(path):
    """A 16,384-sector allocation table (listed by 129 DIFAT sectors), so big that it could
    describe a gigabyte, and a Workbook stream whose chain loops between two sectors."""
    fat_sectors = 16384
    difat_sectors = -(-(fat_sectors - 109) // 127)
    stream_at = fat_sectors + difat_sectors
    directory_at = stream_at + 8
    fat = array.array("I", [0xFFFFFFFF]) * (fat_sectors * 128)
    fat[0:fat_sectors] = array.array("I", [0xFFFFFFFD]) * fat_sectors
    fat[fat_sectors:stream_at] = array.array("I", [0xFFFFFFFC]) * difat_sectors
    fat[stream_at], fat[stream_at + 1] = stream_at + 1, stream_at
    fat[directory_at] = 0xFFFFFFFE
    difat = array.array("I")
    for k in range(difat_sectors):
        ids = list(range(109 + 127 * k, min(109 + 127 * (k + 1), fat_sectors)))
        difat.extend(ids + [0xFFFFFFFF] * (127 - len(ids)))
        difat.append(fat_sectors + k + 1 if k + 1 < difat_sectors else 0xFFFFFFFE)
    empty = directory_entry("", 0, 0xFFFFFFFF, 0, 0)
    directory = (directory_entry("Root Entry", 5, 1, 0xFFFFFFFE, 0)
                 + directory_entry("Workbook", 2, 0xFFFFFFFF, stream_at, 4096) + empty * 2)
    assert sys.byteorder == "little"
    with open(path, "wb") as f:
        f.write(compound_header(fat_sectors, directory_at, difat_at=fat_sectors, difat_sectors=difat_sectors))
        f.write(fat.tobytes())
        f.write(difat.tobytes())
        f.write(many_sheets_stream(1).ljust(4096, b"\0"))
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


def short_sector_inside_chain(path):
    """The Workbook's last sector but one moved to the end of the file and cut short by fewer
    bytes than the stream leaves free in its last sector."""
    book = chart_sample()
    sectors = workbook_chain(book)
    moved = (len(book.data) - 512) // 512
    book.data += book.data[512 + 512 * sectors[-2]:1024 + 512 * sectors[-2] - 100]
    book.set_fat(sectors[-3], moved)
    book.set_fat(moved, sectors[-1])
    book.set_fat(sectors[-2], 0xFFFFFFFF)
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
    "eight-million-empty-strings.xlsx": lambda path: workbook_zip(path, [
        ("xl/worksheets/sheet1.xml", sheet_xml(1)), ("xl/sharedStrings.xml", SST_HEAD + b"<si/>" * 8000000 + b"</sst>")]),
    "sheet-name-of-forty-million.xlsx": long_sheet_name_xlsx,
    "ten-million-deep.xlsx": nested_xlsx,
    "far-rows-beside-2-mb.xlsx": lambda path: far_rows_xlsx(path, 2000000),
    "far-rows-beside-12-mb.xlsx": lambda path: far_rows_xlsx(path, 12000000),
    "blanks-900-mib.xlsx": blank_sheet_xlsx,
    "empty-strings-1000-mib.xlsx": empty_strings_xlsx,
    "million-rows-of-30-numbers.xlsx": million_rows_xlsx,
    "circular-chain.xls": circular_chain,
    "circular-chain-big-table.xls": circular_chain_big_table_xls,
    "short-last-sector.xls": short_last_sector,
    "cut-in-last-sector.xls": lambda path: short_last_sector(path, missing=10),
    "short-sector-inside-chain.xls": short_sector_inside_chain,
    "stream-longer-than-chain.xls": stream_longer_than_chain,
    "table-larger-than-file.xls": table_larger_than_file,
    "record-past-end.xls": lambda path: record_past_end(path, in_sheet=True),
    "globals-record-past-end.xls": lambda path: record_past_end(path, in_sheet=False),
    "chart-cells.xls": chart_cells,
    "mini-stream.xls": mini_stream_xls,
    "mini-container-past-end.xls": lambda path: mini_stream_xls(path, past_end=True),
}
MEMORY = ["blanks-900-mib.xlsx", "empty-strings-1000-mib.xlsx", "million-rows-of-30-numbers.xlsx"]
BIG = ["sixty-thousand-sheets.xls", "shared-strings-bomb.xlsx", "eight-million-empty-strings.xlsx", "ten-million-deep.xlsx",
       "sheet-name-of-forty-million.xlsx", "far-rows-beside-2-mb.xlsx", "far-rows-beside-12-mb.xlsx",
       "circular-chain-big-table.xls"] + MEMORY

if __name__ == "__main__":
    folder, names = sys.argv[1], sys.argv[2:]
    groups = {"kept": [n for n in MADE if n not in BIG], "big": BIG, "memory": MEMORY}
    for name in [n for group in names for n in groups.get(group, [group])]:
        MADE[name](os.path.join(folder, name))
