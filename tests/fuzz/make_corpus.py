#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs into corpus/<target>/, each laid out as its target reads
its input. Run again after changing a target's input layout."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ERA0 = 94_354_848_000_000_000  # 1900-01-01 on the file-time scale
T1 = 133_540_000_000_000_000   # our clock in early 2024
XOR = 0x9E3779B9


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def text(b):  # a length byte, then the bytes
    assert len(b) < 256
    return bytes([len(b)]) + b


def ntp(ticks):
    seconds, rest = divmod(ticks - ERA0, 10_000_000)
    return struct.pack(">II", seconds % 2**32, rest * 2**32 // 10_000_000)


def answer(mode=4, stratum=2, leap=0, ref=b"\xc0\xa8\x01\x01", ahead=25_000_000):
    t2 = T1 + 200_000 + ahead
    return (bytes([leap << 6 | 4 << 3 | mode, stratum, 6, 0xEC]) +
            struct.pack(">II", 0x0000_0800, 0x0000_0400) + ref + ntp(t2 - 640_000_000) +
            bytes(8) + ntp(t2) + ntp(t2 + 10_000))


def sntp():
    head = struct.pack(">II", 0x1234_5678 ^ XOR, 0x9ABC_DEF0 ^ XOR) + struct.pack(">Q", T1)
    write("fuzz_sntp_answer", "valid", head + bytes([0, 2]) + answer())
    write("fuzz_sntp_answer", "kiss_rate", head + bytes([0, 2]) + answer(stratum=0, leap=3, ref=b"RATE"))
    write("fuzz_sntp_answer", "short_then_valid", head + bytes([1, 2, 20]) + answer()[:20] + bytes([2]) + answer())
    write("fuzz_sntp_answer", "foreign_then_valid", head + bytes([1, 3, 48]) + answer() + bytes([2]) + answer())
    write("fuzz_sntp_answer", "unsynchronised", head + bytes([0, 2]) + answer(leap=3))


SETTINGS = """[Window_Position]
Window_X_Pos=120
Window_Y_Pos=80
Window_Width=160
Window_Height=160
WindowTopMost=1
WindowLayerPercent=80
[Clock_Setting]
ClockFrameWidth=4
ClockMinuteCirclePos=12
Clock24HourMarkSize=20
12H_24H_Setting=1
[Font_Setting]
Height=-14
FontFaceName=ＭＳ Ｐゴシック
HeightAlarmDlg03=-24
FontFaceNameAlarmDlg03=ＭＳ 明朝
[Alarm_Setting]
AlarmOn03=1
AlarmHour03=7
AlarmMinute03=30
AlarmType03=2
AlarmMemo03=ゴミ出しの日です
[Sound_Setting]
AlarmSoundFile3=C:\\音楽\\目覚まし.wav
[Time_Signal_Setting]
TimeSignalOn=1
CustumTimeSignalSoundEnable=1
TimeSignalSoundFile07=C:\\時報\\七時.mp3
[TimeZone_Diff_Setting]
TimeZoneDiffOnFlag01=1
TimeZoneDiffHour01=-9
TimeZoneDiffMinute01=30
[TimeZone_Setting]
TimeZoneOnFlag01=1
TimeZoneStartHour01=9
TimeZoneEndHour01=17
[Interval_Alarm_Setting]
IntervalAlarmOn=1
IntervalAlarmMinute=25
[Sound_Volume_Setting]
AudioVolumeVal=700
[Audio_Setting]
SelectPlayListNo=2
AudioPlaySetting=1
[Audio_Sound_Setting]
AudioSoundFile0203=D:\\曲\\ソナタ.mp3
[Audio_Folder]
Audio_Folder_00=D:\\曲
[QuickTimer_Setting]
QuickTimerSoundFile=C:\\音\\ラーメン.wav
[NTP_Setting]
NTPServerName=ntp.nict.jp
NTPServerNameList1=ntp.nict.jp
NTPServerNameList2=time.cloudflare.com
SetNTPInterval=45
""".replace("\n", "\r\n").encode("cp932")


def settings():
    for group in range(13):
        write("fuzz_settings_file", f"group{group:02d}", bytes([group]) + SETTINGS)


def cp932():
    texts = ["アラームの時間です。", "次回のインターバルアラーム時刻", "C:\\音楽\\表示\\ソース.mp3",
             "時報" * 70, "ﾊﾝｶｸ全角混在\r\nメモ"]
    for i, t in enumerate(texts):
        a = t.encode("cp932")[:255]
        b = texts[(i + 1) % len(texts)].encode("cp932")[:255]
        write("fuzz_cp932_text", f"texts{i}", bytes([0]) + text(a) + text(b) + bytes([63, i, 90]))
    # An odd first byte: the time-entry rules, field, text, selection, typed key.
    write("fuzz_cp932_text", "time_entry_hour", bytes([1, 0]) + text(b"2") + bytes([1, 0]) + b"5")
    write("fuzz_cp932_text", "time_entry_minute", bytes([1, 1]) + text(b"59") + bytes([0, 1]) + b"6")


def playlist():
    def case(name, modes, marks, folder, count, stem, entry_marks, seed=7):
        data = bytes([modes]) + b"".join(struct.pack(">I", m) for m in marks)
        data += text(folder) + bytes([count]) + text(stem) + bytes(entry_marks)
        write("fuzz_playlist", name, data + struct.pack(">II", seed, 99) + struct.pack(">I", 1000) + bytes([3]))
    every = [0x5555_5555] * 10
    case("list_in_order", 0b100, every, b"", 0, b"", [])
    case("list_random_repeat", 0b111, [0x1B1B_1B1B] * 10, b"", 0, b"", [])
    case("folder_random", 0b010, every, "D:\\曲".encode("cp932"), 12, "歌".encode("cp932"),
         [0, 1, 2, 3, 0x80, 5, 6, 7, 8, 9, 10, 11])
    case("folder_repeat", 0b001, every, b"C:\\", 6, b"track", [0, 1, 3, 4, 0x81, 0])


sntp()
settings()
cp932()
playlist()
