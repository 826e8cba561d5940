#!/usr/bin/env python3
"""Writes the inputs of the companion's golden run: the sample image, an image
of random bytes, and channel plans (good ones and ones with faults). The full
128-channel image is made from full128.csv by the companion itself."""
import random
import pathlib

here = pathlib.Path(__file__).resolve().parent
inputs = here / "inputs"
inputs.mkdir(exist_ok=True)


def chann(memory):
    lines = []
    for r in range(256):
        lines.append("".join(" %d " % b for b in memory[r * 16:r * 16 + 16]))
    return ("\r\n".join(lines) + "\r\n").encode()


def sample():
    m = [0xFF] * 4096

    def row(r, values):
        m[r * 16:r * 16 + len(values)] = values

    row(1, [0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 0, 0, 3])
    row(2, [0x00, 0x00, 0x90, 0x43, 0, 0, 0, 0, 0, 0, 3])
    row(3, [0x00, 0x00, 0x05, 0x44, 0, 0, 0, 0, 0, 0, 3])
    row(130, [0x00, 0x25, 0x00, 0x40, 0x00, 0x00, 0x00, 0x01, 0, 0, 3])
    row(220, [0x76, 0x95])
    row(250, [0x00, 0x40, 0x00, 0x47])
    row(251, [ord(c) for c in "LISTENIG"])
    row(252, [0x76, 0x95, 5, 0, 0, 0xC8, 0x40, 1, 0, 0, 0, 0, 0])
    row(254, [255] * 8 + [0, 0, 0])
    row(255, [80, 200, 0])
    return m


(inputs / "sample.chann").write_bytes(chann(sample()))
rng = random.Random(14)
(inputs / "noise.chann").write_bytes(chann([rng.randrange(256) for _ in range(4096)]))

tones = ["OFF", "67.0", "88.5", "100.0", "123.0", "151.4", "186.2", "250.3",
         "D023N", "D114I", "D754N", "D023I"]
names = ["", "A", "KV-9", "Z_+* ", "12345"]
full = ["channel,receive,transmit,decode,encode,power,bandwidth,name"]
for n in range(1, 129):
    rx = "%.5f" % (400.0 + n * 0.5 + (n % 2) * 0.00625)
    tx = "%.5f" % (400.0 + n * 0.5 + (n % 3) * 2) if n % 4 else rx
    full.append(",".join([str(n), rx, tx, tones[n * 2 % len(tones)], tones[(n * 7 + 5) % len(tones)],
                          "Low" if n % 2 else "High", "Wide" if n % 5 else "Narrow", names[n % 5]]))
(inputs / "full128.csv").write_text("\r\n".join(full) + "\r\n")

header = "channel,receive,transmit,decode,encode,power,bandwidth,name\n"
plans = {
    "edited.csv": header + "1,438.12500,438.12500,OFF,OFF,High,Wide,\n2,439.00000,444.00000,OFF,OFF,Low,Narrow,RPT\n"
                  "9,445.51,440.5,D023I,67.0,High,Wide,B 1\n",
    "faults.csv": header + "0,438,,,,,,\n4,438,,,,,,\n4,439,,,,,,\n1,470,,,,,,\n2,438,399,,,,,\n3,438;5,,,,,,\n"
                  "5,438,1e3,,,,,\n6,438,438,67.1,OFF,,,\n7,438,,,,,,A&B\n8,438,,,,Strong,,\n",
    "unknown-column.csv": "channel,receive,colour\n1,438,red\n",
    "spreadsheet-de.csv": "\ufeff\"Channel\";\"RX Frequency\";\"TX Frequency\";\"CTCSS/DCS Dec\";\"CTCSS/DCS Enc\";"
                          "\"TX Power\";\"W/N\";\"Name\"\r\n\"7\";\"445.5\";\"440.5\";\"D023I\";\"67.0\";\"Low\";\"Narrow\";\"RPT 1\"\r\n",
    "chinese.csv": "信道名称,信道带宽,发射功率,接收频率(MHZ),信道号\n\"RPT 1\",窄带,低,445.50000,7\n",
    "spreadsheet-saved.csv": header + "1,438.125,438.125,67,D023N,High,Wide,'0007\n"
                             "2,439,444,067.00,100,Low,Narrow,'+A1*2\n",
    "snapping.csv": header + "10,400.003,,,,,,\n11,469.99999,,,,,,\n12,438.0062,438.00625,,,,,\n13,  441.1  ,,,,,,\n",
}
for name, text in plans.items():
    (inputs / name).write_text(text, encoding="utf-8")
