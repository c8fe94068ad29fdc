#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGIC, ACTIVE = 0x4C51, 0x3


def notes_file(count, entry_size, records, pool, reminders=0, magic=MAGIC):
    head = struct.pack('<5I', magic, 1, count, entry_size, reminders).ljust(256, b'\0')
    index = b''.join(struct.pack('<3i2I', *r)[:entry_size or 12] for r in records)
    return head + index + pool


TWO = [(100, 101, 0, 0, 0), (200, 201, 2, ACTIVE, 5000)]
SEEDS = {
    'notes_file': {
        'empty-pad': notes_file(0, 20, [], b''),
        'two-notes': notes_file(2, 20, TWO, b'a\0bc\0', 1),
        'legacy-12': notes_file(2, 12, TWO, b'a\0bc\0'),
        'legacy-0': notes_file(2, 0, TWO, b'first line\r\nsecond\0bc\0'),
        'miscounted-reminders': notes_file(2, 20, TWO, b'a\0bc\0', 7),
        'trailing-bytes': notes_file(2, 20, TWO, b'a\0bc\0tail'),
        'short-header': notes_file(0, 20, [], b'')[:100],
        'wrong-magic': notes_file(2, 20, TWO, b'a\0bc\0', 1, magic=0x4C52),
        'unterminated': notes_file(2, 20, TWO, b'a\0bc'),
        'gap': notes_file(2, 20, [TWO[0], (200, 201, 3, 0, 0)], b'a\0xbc\0'),
        'offset-outside': notes_file(2, 20, [TWO[0], (200, 201, 90, 0, 0)], b'a\0bc\0'),
        'too-many': notes_file(16385, 20, [], b''),
    },
    # Op bytes as NoteCommandsFuzz.cpp decodes them (TYPE 0, COMMIT 1, ...).
    'note_commands': {
        'type-new-type-next': bytes([0, 3, 97, 98, 99, 2, 0, 2, 120, 121, 10, 8, 9]),
        'delete-with-answers': bytes([0, 2, 104, 105, 2, 0, 1, 106, 15, 1, 3, 15, 0, 3]),
        'list-delete-several': bytes([0, 1, 97, 2, 0, 1, 98, 2, 0, 1, 99, 1, 4, 5, 0, 7,
                                      15, 1, 3, 4]),
        'move-and-go-to': bytes([0, 1, 97, 2, 0, 1, 98, 2, 0, 1, 99, 6, 0, 7, 2, 6, 5, 16]),
        'too-long': bytes([0, 255, 200, 15, 1, 1, 0, 255, 200, 1, 15, 0, 8]),
        'insert-reminders': bytes([12, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 1, 120, 12, 9, 9, 9, 9,
                                   3, 1, 2, 3, 4, 1, 121, 4, 5, 0, 255, 15, 1, 3, 16]),
    },
    # Notes (count, then length and bytes each), the search text, the options
    # (1 whole words, 2 ignore case, 4 one per note, 0x18 direction, 0x20
    # list, 0x80 double-byte), then places as words.
    'search': {
        'two-notes-ignore-case': bytes([2, 9]) + b'an Apple.' + bytes([4]) + b'plan' +
                                 bytes([1]) + b'an' + bytes([3, 1, 0, 0, 0, 5, 0, 0, 0]),
        'backward-whole-words': bytes([3, 3]) + b'and' + bytes([4]) + b'(an)' + bytes([2]) + b'an' +
                                bytes([1]) + b'an' + bytes([0x09, 3, 0, 0, 0, 1, 0, 0, 0]) * 2,
        'long-note-double-byte': bytes([1, 255, 200]) + b'x\x88an\x89AN end '.ljust(40) + bytes([1]) + b'an' +
                                 bytes([0x82, 5, 1, 0, 0, 0, 0, 0, 0, 0]),
    },
    # The option, then each text as its length and bytes.
    'proxy': {
        'listed-servers': bytes([2, 11]) + b' proxy.lan ' + bytes([4]) + b'080 ' + bytes([0, 5]) +
                          b'8080x' + bytes([0, 6]) + b'65536\t',
        'no-server': bytes([2, 0, 2]) + b'80' + bytes([0, 0, 0, 0]),
        'control-panel': bytes([1, 3]) + b' a ' + bytes([2]) + b'-1',
    },
    # The selection as its length and bytes, then the registered command.
    'url': {
        'bare-host-unquoted': bytes([16]) + b' www.example.com' + b'C:\\B\\b.EXE -nohome %1',
        'drive-path-quoted': bytes([8]) + b'C:\\x.exe' + b'" C:\\Program Files\\B\\b.exe" -url "%1"',
        'injection-no-placeholder': bytes([24]) + b'http://a/" --evil "x\ty' + b'browse -new',
        'file-scheme': bytes([14]) + b'FILE:///C:/a.b' + b'"unclosed',
    },
    # Whether a note is there before, whether the key exists, the number of
    # subkeys, each as its shape (0x10 text, 0x20 created, 0x40 modified;
    # 7 divides: named "0") with the text as its length and bytes (255: a
    # long text) and the times as words, then the answer.
    'import': {
        'zero-text-empty': bytes([1, 1, 3, 0x70, 3]) + b'zer' + bytes([1, 0, 0, 0, 2, 0, 0, 0]) +
                           bytes([0x71, 9]) + b'one\rtwo\r\n' + bytes([10, 0, 0, 0, 20, 0, 0, 0]) +
                           bytes([0x12, 0, 1]),
        'long-line-ends': bytes([0, 1, 2, 0x11, 255, 4, 1, 0x11, 255, 2, 0, 1]),
        'no-key': bytes([0, 0, 1, 0x11, 1]) + b'x' + bytes([1]),
        'answered-no': bytes([1, 1, 1, 0x11, 2]) + b'ab' + bytes([0]),
    },
    # The tag's length (16 and more: the usual "1.00.012:") and bytes, then the file.
    'version_file': {
        'upgrade-and-message': bytes([16]) + b'Quillery\r\n1.00.012: 3,1.01.000,spring\r\n'
                               b'1.01.000-FullURL: http://h/setup.exe\r\n1.01.000-FullDesc: New\r\n'
                               b'1.01.000-FullSize: 4096\r\nspring-Msg: one|two\r\n',
        'patch-no-commas': bytes([16]) + b'Quillery\n11.00.012: 5\n1.00.012: 5,,\n-PatchURL:  x \n',
        'own-tag': bytes([4]) + b'v1: Quillery v1: -7,a,b,c\na-FullSize: 99999999999\n',
    },
    # The URL's length in pairs and bytes, the announced size, the bytes so
    # far and more, then two versions as four words.
    'download_name': {
        'plain': bytes([12]) + b'http://h/dl/setup.exe...'[:24] + bytes([0, 4, 0, 0, 0, 2, 0, 0, 9, 1, 0, 0, 0]) +
                 bytes([0, 0, 1, 0, 0, 0, 0x10, 0, 0, 0, 1, 0, 0, 0, 0x0F, 0]),
        'dot-dot': bytes([8]) + b'h/..\\evil.exe' + bytes([0]) + bytes([255] * 12),
        'device': bytes([4]) + b'/CON.txt',
    },
    # The command line's length in fours and bytes, then parameters ended by zeros.
    'command_line': {
        'flags-and-quotes': bytes([6]) + b'/Quiet -REMOVE "a b" c\\"d\\\\"e\\' +
                            b'C:\\Program Files\\' + bytes([0]) + b'say "hi"' + bytes([0, 0]) + b'\t',
        'unclosed': bytes([2]) + b'"x \\\\"' + b'-killall',
    },
    'settings': {
        'nothing-stored': b'',
        'all-ints': bytes([1, 0, 7, 0, 0, 0]) * 80,
        'all-strings': bytes([1, 1, 5]) + b'hello' + bytes([1, 1, 254, 255]) * 60,
        # Values are taken in name order; "Last Upgrade Version" is the 44th.
        'megabyte-upgrade-version': bytes([0]) * 43 + bytes([1, 1, 255]),
        'fonts-and-odd-sizes': bytes([1, 2, 0, 1, 2, 59, 1, 2, 61]) * 30,
    },
}

for target, seeds in SEEDS.items():
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
