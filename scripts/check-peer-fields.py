#!/usr/bin/python3
"""Checks varnok5's timeline exports field by field against a second reader.

For each index file given, runs `varnok5 /open:FILE /sjsonl OUT` and `/sbody OUT`, reads
the same file with libmsiecf's Python binding (pymsiecf, Debian's python3-libmsiecf) and
compares every record that libmsiecf lists, allocated or recovered: record type, offset,
address, both file times, expiry and last-checked times, hits, cached file name, size
and cache folder, HTTP headers, user, recovered state and index kind. The JSON lines
hold one object per time of a record; they are grouped back into records by offset.
The body file is checked against the same records and then handed to `mactime -b`,
which must take every line.

Prints each disagreement and "N records agree"; exits 1 on any disagreement, 2 when
it cannot run. libmsiecf is a yardstick here only: varnok5 does not use it.

With --scan FOLDER it also exports the whole folder at once (`/scan:FOLDER`) and checks
that every index file below it, and no link, comes out under its own source, in path
order, with the same fields.

Usage: check-peer-fields.py [--varnok5 PROGRAM] [--scan FOLDER] [INDEXFILE...]
"""

import argparse
import collections
import datetime
import json
import os
import re
import subprocess
import sys
import tempfile

try:
    import pymsiecf
except ImportError:
    sys.exit("check-peer-fields: pymsiecf is missing (apt-get install python3-libmsiecf)")

FILETIME_UNIX_EPOCH = 116444736000000000  # 1970-01-01 in 100 ns steps since 1601
SIGNATURES = (b"Client UrlCache MMF Ver ", b"WINE URLCache Ver ")
NO_CACHE_FOLDER = 0xFE  # history and cookie entries name no cache sub-folder

# The two file times of a "URL " record under the names the JSON gives them, by kind of
# index: (time at record offset 16, time at offset 8), which libmsiecf calls the primary
# and the secondary time. The names are the ones timeline tools give libmsiecf's two
# times. Daily and weekly history files keep the time at offset 8 in the local time of
# the computer that wrote them (a daily file holds the visit twice, at 16 in UTC and at 8
# in local time); a weekly file keeps when its entry was made at 16, in UTC.
TIME_NAMES = {
    "cache": ("Last Access Time", "Content Modification Time"),
    "cookie": ("Last Access Time", "Content Modification Time"),
    "history": ("Last Visited Time", "Unknown Time"),
    "history-daily": ("Last Visited Time", "Unknown Time"),
    "history-weekly": ("Creation Time", "Last Visited Time"),
}
LOCAL_SECONDARY = {"history-daily", "history-weekly"}
# The body file's atime and mtime: which of the two file times each one is.
BODY_ATIME_IS_PRIMARY = {kind: kind != "history-weekly" for kind in TIME_NAMES}

# Differences where libmsiecf, not varnok5, is wrong. Each entry: the field, a test on the
# peer's record, and why the peer's value does not count.
KNOWN_PEER_FAULTS = [
    # libmsiecf 20181227 does not read the address of a LEAK record (its location is
    # None), though a LEAK record keeps it where a "URL " record does.
    ("url", lambda peer: peer["record_type"] == "LEAK" and peer.get("url") is None,
     "libmsiecf reads no address in LEAK records"),
]


def microseconds(filetime):
    return (filetime - FILETIME_UNIX_EPOCH) // 10


def dos_time_microseconds(value):
    """Microseconds since 1970 of a DOS date (low half) and time (high half), taken as UTC."""
    date, time = value & 0xFFFF, value >> 16
    try:
        moment = datetime.datetime(1980 + (date >> 9), (date >> 5) & 15, date & 31,
                                   time >> 11, (time >> 5) & 63, (time & 31) * 2,
                                   tzinfo=datetime.timezone.utc)
    except ValueError:
        return None
    return int(moment.timestamp()) * 1000000


def text(value):
    if value is None:
        return None
    if isinstance(value, bytes):
        return value.rstrip(b"\0").decode("cp1252", errors="replace")
    return value


def peer_record(item, directories, recovered):
    """The fields libmsiecf reads of one record; absent keys are fields it does not read."""
    kinds = {"url": "URL", "redirected": "REDR", "leak": "LEAK"}
    record = {"record_type": kinds[type(item).__name__], "offset": item.offset,
              "recovered": recovered}
    record["url"] = item.location if record["record_type"] != "LEAK" else None
    if record["record_type"] in ("URL", "LEAK"):
        record["cached_filename"] = item.filename or ""
        record["cached_file_size"] = item.cached_file_size
        index = item.cache_directory_index & 0xFF
        record["cache_directory_index"] = index
        record["cache_directory"] = (text(directories[index])
                                     if index < len(directories) else "")
    if record["record_type"] == "URL":
        kind = item.type
        record["index_type"] = kind
        record["number_of_hits"] = item.number_of_hits
        primary, secondary = item.get_primary_time_as_integer(), item.get_secondary_time_as_integer()
        names = TIME_NAMES.get(kind, TIME_NAMES["cache"])
        times = []
        if primary:
            times.append((names[0], microseconds(primary), False))
        if secondary:
            times.append((names[1], microseconds(secondary), kind in LOCAL_SECONDARY))
        for name, getter in (("Expiration Time", item.get_expiration_time_as_integer),
                             ("Last Checked Time", item.get_last_checked_time_as_integer)):
            value = getter()
            if value and dos_time_microseconds(value) is not None:
                times.append((name, dos_time_microseconds(value), False))
        record["times"] = times or [("Not a time", 0, False)]
        record["body_times"] = body_times(kind, primary, secondary,
                                          item.get_last_checked_time_as_integer())
        if kind == "cache" and item.data:
            record["http_headers"] = text(item.data)
        match = re.match(r"Visited: ([^@]*)@", item.location or "")
        if match:
            record["user"] = match.group(1)
    elif record["record_type"] == "REDR":
        record["times"] = [("Not a time", 0, False)]
    return record


def body_times(kind, primary, secondary, checked):
    seconds = lambda filetime: (filetime - FILETIME_UNIX_EPOCH) // 10000000 if filetime else 0
    first, second = ((primary, secondary) if BODY_ATIME_IS_PRIMARY.get(kind, True)
                     else (secondary, primary))
    checked_us = dos_time_microseconds(checked) if checked else None
    return (seconds(first), seconds(second), checked_us // 1000000 if checked_us else 0)


def read_peer(path):
    index = pymsiecf.open(path)
    directories = list(index.cache_directories)
    records = [peer_record(item, directories, False) for item in index.items]
    records += [peer_record(item, directories, True) for item in index.recovered_items]
    index.close()
    return {record["offset"]: record for record in records}


def iso_of(micros):
    moment = datetime.datetime(1970, 1, 1, tzinfo=datetime.timezone.utc) + \
        datetime.timedelta(microseconds=micros)
    return moment.isoformat(timespec="microseconds")


class Report:
    def __init__(self):
        self.problems = []
        self.excused = []

    def differ(self, where, field, ours, peers, peer=None):
        for name, applies, reason in KNOWN_PEER_FAULTS:
            if name == field and peer is not None and applies(peer):
                self.excused.append(f"{where}: {field}: {reason}")
                return
        self.problems.append(f"{where}: {field}\n    varnok5: {ours!r}\n    libmsiecf: {peers!r}")


def group_events(lines, where, report):
    """JSON objects by record offset, in the order they came; checks each line's form."""
    events = collections.OrderedDict()
    for number, line in enumerate(lines, 1):
        try:
            event = json.loads(line)
        except ValueError as error:
            report.problems.append(f"{where} line {number}: not JSON: {error}")
            continue
        for key in ("message", "datetime", "timestamp", "timestamp_desc", "offset", "record_type"):
            if key not in event:
                report.problems.append(f"{where} line {number}: no \"{key}\"")
        if "timestamp" in event and event.get("datetime") != iso_of(event["timestamp"]):
            report.differ(f"{where} line {number}", "datetime", event.get("datetime"),
                          iso_of(event["timestamp"]))
        if re.search(r"[\r\n]", str(event.get("message", ""))):
            report.problems.append(f"{where} line {number}: message spans lines")
        events.setdefault(event.get("offset"), []).append(event)
    return events


def compare_record(where, peer, events, source, report):
    first = events[0]
    for event in events[1:]:
        for key, value in first.items():
            if key not in ("message", "datetime", "timestamp", "timestamp_desc", "local_time") \
                    and event.get(key) != value:
                report.differ(where, key + " (between the record's events)", event.get(key), value)
    if first.get("source") != source:
        report.differ(where, "source", first.get("source"), source)
    ours_type = str(first.get("record_type", "")).strip()
    if ours_type != peer["record_type"]:
        report.differ(where, "record_type", ours_type, peer["record_type"], peer)
    if bool(first.get("recovered")) != peer["recovered"]:
        report.differ(where, "recovered", first.get("recovered"), peer["recovered"], peer)
    if peer.get("url") != first.get("url"):
        report.differ(where, "url", first.get("url"), peer.get("url"), peer)
    elif peer.get("url") and peer["url"] not in str(first.get("message", "")) \
            and "\n" not in peer["url"]:
        report.differ(where, "message (holds the address)", first.get("message"), peer["url"])
    empty_like = {"cached_filename": "", "cached_file_size": 0, "cache_directory": "",
                  "http_headers": "", "user": ""}
    for field in ("index_type", "number_of_hits", "cached_filename", "cached_file_size",
                  "cache_directory", "cache_directory_index", "http_headers", "user"):
        if field not in peer:
            continue
        ours = first.get(field)
        if field in empty_like and ours is None:
            ours = empty_like[field]
        if field == "cache_directory_index" and isinstance(ours, int):
            ours &= 0xFF
        expected = peer[field]
        if field == "cache_directory_index" and expected == NO_CACHE_FOLDER and ours is None:
            continue
        if ours != expected:
            report.differ(where, field, ours, expected, peer)
    if "times" in peer:
        ours_times = sorted((e.get("timestamp_desc"), e.get("timestamp"), bool(e.get("local_time")))
                            for e in events)
        if ours_times != sorted(peer["times"]):
            report.differ(where, "times (description, microseconds, local)", ours_times,
                          sorted(peer["times"]), peer)


def lines_of(content):
    """Lines split at LF only: addresses may hold the other bytes Python counts as line ends."""
    return content.split("\n")[:-1] if content.endswith("\n") else content.split("\n")


def body_name(address):
    """The address as a body file's name column holds it. mactime splits on "|" and then
    decodes %XX, so "|" and "%" go in as %7C and %25; control characters, which would break
    the line, as their pictures (U+2400 on, U+2421 for DEL); the bytes Windows-1252 leaves
    undefined as U+FFFD."""
    def one(c):
        if c in "|%":
            return f"%{ord(c):02X}"
        if ord(c) < 0x20:
            return chr(0x2400 + ord(c))
        if ord(c) == 0x7F:
            return "\u2421"
        if 0x80 <= ord(c) < 0xA0:
            return "\ufffd"
        return c
    return "".join(one(c) for c in address)


def check_body(path, source, body_lines, peers, report):
    """Body lines against the records, then through mactime -b."""
    where = f"{path} (body file)"
    if len(body_lines) != len(peers):
        report.differ(where, "number of lines", len(body_lines), len(peers))
    for number, line in enumerate(body_lines, 1):
        fields = line.split("|")
        if len(fields) != 11:
            report.problems.append(f"{where} line {number}: {len(fields)} fields, not 11: {line!r}")
            continue
        if fields[0] != "0" or fields[2] != "0" or not all(f.lstrip("-").isdigit()
                                                           for f in fields[6:]):
            report.problems.append(f"{where} line {number}: bad MD5, inode or numbers: {line!r}")
            continue
        if not fields[1].startswith(source + ":"):
            report.problems.append(f"{where} line {number}: name not \"SOURCE:ADDRESS\": {line!r}")
    by_name = collections.defaultdict(list)
    for line in body_lines:
        fields = line.split("|")
        if len(fields) == 11:
            by_name[fields[1]].append(fields)
    for offset, peer in peers.items():
        if peer.get("url") is None or "body_times" not in peer:
            continue
        name = source + ":" + body_name(peer["url"])
        matches = by_name.get(name, [])
        expected = [str(peer.get("cached_file_size", 0))] + [str(t) for t in peer["body_times"]]
        if not any(m[6:10] == expected for m in matches):
            report.differ(f"{where} offset {offset}", "size|atime|mtime|ctime",
                          [m[6:10] for m in matches] or "no line of that name", expected)
    return where


def run_mactime(body_path, where, body_lines, report):
    result = subprocess.run(["mactime", "-b", body_path, "-d"], capture_output=True)
    if result.returncode != 0 or result.stderr.strip():
        report.problems.append(f"{where}: mactime -b failed ({result.returncode}): "
                               f"{result.stderr.decode(errors='replace').strip()}")
        return
    timed = [l for l in body_lines if any(f not in ("0", "") for f in l.split("|")[7:10])]
    if timed and len(result.stdout.splitlines()) < 2:
        report.problems.append(f"{where}: mactime -b listed nothing")


def peer_or_skip(path):
    """libmsiecf's records of the file, or None (with a note) when it cannot read it."""
    try:
        return read_peer(path)
    except (OSError, SystemError) as error:
        reason = str(error.__cause__ or error).splitlines()[0][:100]
        print(f"{path}: skipped, libmsiecf cannot read it: {reason}")
        return None


def run_exports(program, target, work, report, allowed=(0,)):
    """Runs both exports of `target` ("/open:FILE" or "/scan:FOLDER"); their outputs' lines."""
    outputs = []
    for switch in ("/sjsonl", "/sbody"):
        output = os.path.join(work, "out" + switch[2:])
        result = subprocess.run([program, target, switch, output], capture_output=True)
        if result.returncode not in allowed:
            report.problems.append(f"{target}: varnok5 {switch} failed ({result.returncode}): "
                                   f"{result.stderr.decode(errors='replace').strip()}")
            return None
        with open(output, encoding="utf-8") as stream:
            lines = lines_of(stream.read())
        outputs.append((output, lines))
        # "N records, E events": N must be the records the output holds.
        said = re.match(rb"(\d+) records", result.stdout)
        records = len(lines) if switch == "/sbody" else len(
            {(e.get("source"), e.get("offset")) for e in map(json_or_empty, lines)})
        if not said or int(said.group(1)) != records:
            report.differ(f"{target} {switch}", "records reported on standard output",
                          result.stdout.decode(errors="replace").strip(), f"{records} records")
    return outputs


def json_or_empty(line):
    try:
        return json.loads(line)
    except ValueError:
        return {}


def compare_source(path, source, peers, events, body, report):
    """One index file's events and body lines against libmsiecf's records of it; returns
    the numbers of records compared and of those that agree."""
    for offset, record in events.items():
        if offset not in peers:
            report.differ(f"{path} offset {offset}", "record", record[0].get("url"),
                          "not listed")
    agreeing = 0
    for offset, peer in peers.items():
        where = f"{path} offset {offset} ({peer['record_type']})"
        if offset not in events:
            report.differ(where, "record", "not listed", peer.get("url"), peer)
            continue
        before = len(report.problems)
        compare_record(where, peer, events[offset], source, report)
        agreeing += len(report.problems) == before
    body_path, body_lines = body
    where = check_body(path, source, body_lines, peers, report)
    run_mactime(body_path, where, body_lines, report)
    return len(peers), agreeing


def check_file(program, path, work, report):
    peers = peer_or_skip(path)
    outputs = run_exports(program, "/open:" + path, work, report) if peers is not None else None
    if outputs is None:
        return 0, 0
    events = group_events(outputs[0][1], path, report)
    return compare_source(path, path, peers, events, outputs[1], report)


def index_files_below(folder):
    """Regular files below `folder` that begin with an index file's signature, in path
    order, without following links."""
    found = []
    for top, folders, files in os.walk(folder, followlinks=False):
        for name in files:
            path = os.path.join(top, name)
            if os.path.islink(path) or not os.path.isfile(path):
                continue
            with open(path, "rb") as stream:
                if stream.read(24).startswith(SIGNATURES):
                    found.append(os.path.relpath(path, folder))
    return sorted(found)


def check_scan(program, folder, work, report):
    """The whole folder in one run: each index file's records under its own source."""
    outputs = run_exports(program, "/scan:" + folder, work, report, allowed=(0, 2))
    if outputs is None:
        return 0, 0
    expected = index_files_below(folder)
    events_by_source = collections.OrderedDict()
    for event_line in outputs[0][1]:
        try:
            source = json.loads(event_line).get("source")
        except ValueError:
            source = None
        events_by_source.setdefault(source, []).append(event_line)
    listed = list(events_by_source)
    if listed != sorted(listed) or not set(listed) <= set(expected):
        report.differ(f"/scan:{folder}", "sources (in path order)", listed, expected)
    compared = agreeing = 0
    for source in expected:
        path = os.path.join(folder, source)
        peers = peer_or_skip(path)
        if peers is None:
            continue
        events = group_events(events_by_source.get(source, []), path, report)
        body_lines = [l for l in outputs[1][1] if l.split("|")[1:2] and
                      l.split("|")[1].startswith(source + ":")]
        body_path = os.path.join(work, "source.body")
        with open(body_path, "w", encoding="utf-8") as stream:
            stream.writelines(line + "\n" for line in body_lines)
        counts = compare_source(path, source, peers, events, (body_path, body_lines), report)
        compared, agreeing = compared + counts[0], agreeing + counts[1]
    return compared, agreeing


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--varnok5", default=os.path.join("build", "varnok5"))
    parser.add_argument("--scan", metavar="FOLDER",
                        help="also export FOLDER whole with /scan: and check each file in it")
    parser.add_argument("files", nargs="*", metavar="INDEXFILE")
    arguments = parser.parse_args()
    if not os.access(arguments.varnok5, os.X_OK):
        sys.exit(f"check-peer-fields: {arguments.varnok5} not found; build varnok5 first")
    report = Report()
    compared = agreeing = 0
    with tempfile.TemporaryDirectory() as work:
        # A fresh configuration folder: the user's own settings neither count nor change.
        os.environ["XDG_CONFIG_HOME"] = os.path.join(work, "config")
        os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
        for path in arguments.files:
            if not pymsiecf.check_file_signature(path):
                print(f"{path}: skipped, libmsiecf does not take this file")
                continue
            counts = check_file(arguments.varnok5, path, work, report)
            compared, agreeing = compared + counts[0], agreeing + counts[1]
        if arguments.scan:
            counts = check_scan(arguments.varnok5, arguments.scan, work, report)
            compared, agreeing = compared + counts[0], agreeing + counts[1]
    for line in report.excused:
        print("excused:", line)
    for line in report.problems:
        print("DIFFERS:", line)
    print(f"{agreeing} records agree" + (f", {compared - agreeing} differ; "
                                         f"{len(report.problems)} disagreements in all"
                                         if report.problems else ""))
    return 1 if report.problems else 0


if __name__ == "__main__":
    sys.exit(main())
