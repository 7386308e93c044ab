#!/usr/bin/env python3
"""Writes the media files of the demo project into examples/demo/media/: a chime and a music loop
(WAV), a short video (uncompressed AVI), a two-page manual (PDF) and an animated Flash movie (SWF).
Everything is drawn here, byte by byte, so the files are small and reproducible.

Usage: tools/make_demo_media.py [OUTPUT_FOLDER]
"""
import math
import os
import struct
import sys


# ---- sound ----

def wav(samples, rate):
    data = b"".join(struct.pack("<h", max(-32767, min(32767, int(s)))) for s in samples)
    return (b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE" +
            b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16) +
            b"data" + struct.pack("<I", len(data)) + data)


def tone(freq, seconds, rate, volume=9000.0, decay=4.0):
    n = int(seconds * rate)
    return [volume * math.exp(-decay * i / rate) * math.sin(2 * math.pi * freq * i / rate) for i in range(n)]


def mix(*tracks):
    length = max(len(t) for t in tracks)
    return [sum(t[i] for t in tracks if i < len(t)) for i in range(length)]


def chime(rate=11025):
    first = tone(880, 1.2, rate)
    second = [0.0] * int(0.15 * rate) + tone(1318.5, 1.05, rate, 7000)
    return wav(mix(first, second), rate)


def music(rate=11025):
    # A calm four-bar arpeggio that loops without a click: every note dies away within its bar.
    notes = [261.6, 329.6, 392.0, 523.3, 220.0, 261.6, 329.6, 440.0,
             174.6, 220.0, 261.6, 349.2, 196.0, 246.9, 293.7, 392.0]
    samples = []
    for f in notes:
        samples += tone(f, 0.25, rate, 6000, 9.0)
    return wav(samples, rate)


# ---- video: uncompressed 8-bit AVI with a palette ----

def avi(frames, width, height, fps, palette):
    frame_size = width * height

    def chunk(fourcc, body):
        return fourcc + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")

    def lst(kind, body):
        return b"LIST" + struct.pack("<I", len(body) + 4) + kind + body

    avih = struct.pack("<14I", 1000000 // fps, frame_size * fps, 0, 0x10, len(frames), 0, 1, frame_size,
                       width, height, 0, 0, 0, 0)
    strh = (b"vids" + b"DIB " + struct.pack("<IHHIIIIIIIIhhhh", 0, 0, 0, 0, 1, fps, 0, len(frames), frame_size,
                                           0xFFFFFFFF, 0, 0, 0, width, height))
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, frame_size, 0, 0, len(palette), 0) + pal
    hdrl = lst(b"hdrl", chunk(b"avih", avih) + lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi, index = b"", b""
    for f in frames:
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi), len(f))
        movi += chunk(b"00db", f)
    body = b"AVI " + hdrl + lst(b"movi", movi) + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def intro_video(width=128, height=72, count=32, fps=8):
    # Palette: a blue sky gradient (0..63), a green ground (64), a sun (65), white (66).
    palette = [(20 + i, 60 + i * 2, 140 + i * 1) for i in range(64)] + [(40, 140, 60), (250, 200, 40), (255, 255, 255)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    frames = []
    for n in range(count):
        rows = []
        sun_x = 10 + (width - 20) * n / (count - 1)
        sun_y = 14 + 10 * math.sin(math.pi * n / (count - 1))
        for y in range(height):
            row = bytearray()
            for x in range(width):
                if y > height * 3 // 4 + int(3 * math.sin(x / 9.0 + n / 4.0)):
                    row.append(64)
                elif (x - sun_x) ** 2 + (y - sun_y) ** 2 < 64:
                    row.append(65)
                else:
                    row.append(min(63, y * 64 // height))
            rows.append(bytes(row))
        frames.append(b"".join(reversed(rows)))  # bottom-up, as DIBs are stored
    return avi(frames, width, height, fps, palette)


# ---- document ----

def pdf(pages):
    objects = [b"<< /Type /Catalog /Pages 2 0 R >>", None, b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
    kids = []
    for content in pages:
        stream = content.encode("latin-1")
        objects.append(b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream")
        objects.append(b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] "
                       b"/Resources << /Font << /F1 3 0 R >> >> /Contents %d 0 R >>" % (len(objects)))
        kids.append(len(objects))
    objects[1] = b"<< /Type /Pages /Kids [" + b" ".join(b"%d 0 R" % k for k in kids) + b"] /Count %d >>" % len(kids)
    out = b"%PDF-1.4\n"
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % i + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    return out


def text(x, y, size, line, rgb="0 0 0"):
    line = line.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")
    return "BT %s rg /F1 %d Tf %d %d Td (%s) Tj ET\n" % (rgb, size, x, y, line)


def manual():
    first = "0.16 0.36 0.72 rg 0 722 595 120 re f\n" + text(50, 770, 34, "Menuvia demo manual", "1 1 1")
    body = ["This manual is a PDF document shown by the PDF reader object.",
            "Scroll down to reach the second page.", "",
            "The menu on this page also plays a video, shows a web page",
            "and runs a Flash movie. Each of them is loaded only when",
            "a page that holds it is shown."]
    for i, line in enumerate(body):
        first += text(50, 660 - 26 * i, 16, line)
    first += "0.95 0.75 0.15 rg 50 300 495 120 re f\n" + text(70, 350, 22, "Tip: double-click an object in the designer.")
    second = "0.16 0.36 0.72 rg 0 792 595 50 re f\n" + text(50, 808, 20, "Page 2", "1 1 1")
    second += text(50, 700, 16, "The end of the manual. Thank you for reading.")
    return pdf([first, second])


# ---- Flash movie ----

class Bits:
    def __init__(self):
        self.bits = ""

    def ub(self, value, n):
        self.bits += format(value, "0%db" % n) if n else ""

    def sb(self, value, n):
        self.ub(value & ((1 << n) - 1), n)

    def data(self):
        padded = self.bits + "0" * (-len(self.bits) % 8)
        return bytes(int(padded[i:i + 8], 2) for i in range(0, len(padded), 8))


def rect(xmin, xmax, ymin, ymax):
    b = Bits()
    b.ub(16, 5)
    for v in (xmin, xmax, ymin, ymax):
        b.sb(v, 16)
    return b.data()


def tag(code, body):
    if len(body) < 63:
        return struct.pack("<H", (code << 6) | len(body)) + body
    return struct.pack("<HI", (code << 6) | 63, len(body)) + body


def rectangle_shape(shape_id, w, h, rgb):
    """DefineShape: a w × h rectangle (twips) of one colour with its corner at the origin."""
    body = struct.pack("<H", shape_id) + rect(0, w, 0, h)
    body += bytes([1, 0x00]) + bytes(rgb) + bytes([0])  # one solid fill, no line styles
    b = Bits()
    b.ub(1, 4)  # fill bits
    b.ub(0, 4)  # line bits
    b.ub(0, 1); b.ub(0, 1); b.ub(0, 1); b.ub(1, 1); b.ub(0, 1); b.ub(1, 1)  # style change: fill 1, move
    b.ub(16, 5); b.sb(0, 16); b.sb(0, 16)
    b.ub(1, 1)  # fill style 1
    for dx, dy in ((w, 0), (0, h), (-w, 0), (0, -h)):
        b.ub(1, 1); b.ub(1, 1); b.ub(14, 4)  # straight edge, 16-bit deltas
        b.ub(0, 1)  # vertical or horizontal
        b.ub(1 if dx == 0 else 0, 1)
        b.sb(dy if dx == 0 else dx, 16)
    b.ub(0, 6)  # end of shape
    return tag(2, body + b.data())


def place(depth, shape_id, x, y, first):
    b = Bits()
    b.ub(0, 1); b.ub(0, 1); b.ub(17, 5); b.sb(x, 17); b.sb(y, 17)
    flags = 0x06 if first else 0x05  # matrix and character, or matrix and move
    body = bytes([flags]) + struct.pack("<H", depth)
    if first:
        body += struct.pack("<H", shape_id)
    return tag(26, body + b.data())


def intro_movie(width=400, height=300, frames=48, fps=24):
    tw, th = width * 20, height * 20
    body = rect(0, tw, 0, th) + struct.pack("<HH", fps << 8, frames)
    body += tag(9, bytes([0x1d, 0x2b, 0x53]))  # a deep blue stage
    body += rectangle_shape(1, 120 * 20, 120 * 20, (0xf2, 0xb1, 0x34))
    body += rectangle_shape(2, 60 * 20, 60 * 20, (0xe4, 0x57, 0x2e))
    body += rectangle_shape(3, tw, 40 * 20, (0x76, 0xb0, 0x41))
    for n in range(frames):
        t = n / frames
        big_x = int((40 + (width - 200) * (0.5 - 0.5 * math.cos(2 * math.pi * t))) * 20)
        small_y = int((40 + 140 * abs(math.sin(2 * math.pi * t))) * 20)
        body += place(1, 3, 0, th - 40 * 20, n == 0)
        body += place(2, 1, big_x, 60 * 20, n == 0)
        body += place(3, 2, tw - 100 * 20, small_y, n == 0)
        body += tag(1, b"")
    body += tag(0, b"")
    return b"FWS" + bytes([10]) + struct.pack("<I", 8 + len(body)) + body


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "examples", "demo", "media")
    os.makedirs(folder, exist_ok=True)
    files = {
        "welcome.wav": chime(),
        "music.wav": music(),
        "intro.avi": intro_video(),
        "manual.pdf": manual(),
        "intro.swf": intro_movie(),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print("%-12s %7d bytes" % (name, len(data)))


if __name__ == "__main__":
    main()
