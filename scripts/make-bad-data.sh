#!/usr/bin/env bash
# scripts/make-bad-data.sh - writes the damaged and unusual image files of tests/data/bad/.
#
# The files are committed; run this again only to change them (it rewrites the folder the same way
# each time). Good pictures come from ImageMagick's convert with every date and comment stripped;
# the damage is done with head -c and python3, so nothing is downloaded.
#
# Usage: scripts/make-bad-data.sh [folder]   (default tests/data/bad beside this script)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/tests/data/bad}
rm -rf "$out"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A 48 x 32 picture of four flat quarters: red, green / blue, white
convert -size 24x16 xc:'#FF0000' xc:'#00FF00' +append "$tmp/top.ppm"
convert -size 24x16 xc:'#0000FF' xc:'#FFFFFF' +append "$tmp/bottom.ppm"
convert "$tmp/top.ppm" "$tmp/bottom.ppm" -append "$tmp/good.ppm"
strip=(-strip -define png:exclude-chunks=date,time)
convert "$tmp/good.ppm" "${strip[@]}" "$tmp/good.png"
convert "$tmp/good.ppm" -strip -quality 90 "$tmp/good.jpg"
convert "$tmp/good.ppm" -strip "$tmp/good.gif"
convert "$tmp/good.ppm" -strip -compress none "$tmp/good.tif"
convert "$tmp/good.ppm" -strip BMP3:"$tmp/good.bmp"

# Cuts a file to n bytes, or to a fraction of its length ("1/2")
cut_to() {
  local src=$1 n=$2 dst=$3 size
  size=$(stat -c %s "$src")
  case $n in */*) n=$(( size * ${n%/*} / ${n#*/} ));; esac
  head -c "$n" "$src" >"$dst"
}

# Nothing and no picture
: >"$out/empty.png"
printf 'This is a text file, not a picture.\r\n' >"$out/text.jpg"
mkdir "$out/folder.png"
printf 'keeps the folder in git\n' >"$out/folder.png/keep.txt"

# Truncated at several points: inside the signature or header, inside the data, before the end
cut_to "$tmp/good.png" 8 "$out/png_signature_only.png"
cut_to "$tmp/good.png" 20 "$out/png_cut_in_header.png"
cut_to "$tmp/good.png" 1/2 "$out/png_cut_in_data.png"
cut_to "$tmp/good.png" $(( $(stat -c %s "$tmp/good.png") - 12 )) "$out/png_no_end.png"
cut_to "$tmp/good.jpg" 2 "$out/jpeg_start_only.jpg"
cut_to "$tmp/good.jpg" 120 "$out/jpeg_cut_in_header.jpg"
cut_to "$tmp/good.jpg" 2/3 "$out/jpeg_cut_in_scan.jpg"
cut_to "$tmp/good.gif" 10 "$out/gif_cut_in_header.gif"
cut_to "$tmp/good.gif" 1/2 "$out/gif_cut_in_data.gif"
cut_to "$tmp/good.bmp" 20 "$out/bmp_cut_in_header.bmp"
cut_to "$tmp/good.bmp" 1/2 "$out/bmp_cut_in_rows.bmp"
cut_to "$tmp/good.tif" 8 "$out/tiff_cut_in_header.tif"
cut_to "$tmp/good.tif" 1/2 "$out/tiff_cut_in_strips.tif"

# BMP headers with impossible or odd sizes, and good pictures of unusual shapes
python3 - "$out" <<'EOF'
import struct, sys, zlib
out = sys.argv[1]

def bmp(name, width, height, bits=24, rows=None, size_image=0):
    """A BMP file: 14-byte file header, 40-byte info header, then rows (given or none)"""
    rows = rows or b''
    offset = 14 + 40
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, size_image, 2834, 2834, 0, 0)
    head = b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset)
    open(f'{out}/{name}', 'wb').write(head + info + rows)

def rows24(width, height, colour):
    row = bytes(colour) * width
    row += b'\0' * ((4 - len(row) % 4) % 4)
    return row * height

# 100000 x 100000 at 24 bits claims 30 GB of rows; the file holds one row.
bmp('bmp_huge_100000x100000.bmp', 100000, 100000, rows=rows24(16, 1, (0, 0, 255)))
bmp('bmp_zero_width.bmp', 0, 8, rows=rows24(8, 8, (0, 0, 255)))
bmp('bmp_zero_height.bmp', 8, 0, rows=rows24(8, 8, (0, 0, 255)))
bmp('bmp_negative_width.bmp', -8, 8, rows=rows24(8, 8, (0, 0, 255)))
# A negative height is a top-down picture, which is valid: 8 x 4, blue top row, then green.
bmp('bmp_top_down_8x4.bmp', 8, -4, rows=rows24(8, 1, (255, 0, 0)) + rows24(8, 3, (0, 255, 0)))

def png(name, width, height, pixel):
    """An 8-bit RGB PNG of one colour"""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = (b'\0' + bytes(pixel) * width) * height
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    data += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    open(f'{out}/{name}', 'wb').write(data)

png('one_by_one.png', 1, 1, (0x12, 0x34, 0x56))
png('wide_65535x1.png', 65535, 1, (0x00, 0x80, 0xFF))
EOF
cp "$tmp/good.png" "$out/png_bad_checksum.png"
python3 - "$out/png_bad_checksum.png" <<'EOF'
import sys
p = sys.argv[1]
b = bytearray(open(p, 'rb').read())
i = b.find(b'IDAT')
n = int.from_bytes(b[i - 4:i], 'big')
b[i + 4 + n // 2] ^= 0xFF      # one byte of the compressed rows flipped; the CRC no longer matches
open(p, 'wb').write(bytes(b))
EOF

# Good pictures for the cases that must load: a BMP named .png, and each format whole
cp "$tmp/good.bmp" "$out/bmp_named_as.png"
cp "$tmp/good.png" "$out/good_48x32.png"
cp "$tmp/good.jpg" "$out/good_48x32.jpg"

echo "make-bad-data: $(find "$out" -type f | wc -l) files in $out"
