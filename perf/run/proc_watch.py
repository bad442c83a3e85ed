#!/usr/bin/env python3
"""Watches the Windows processes of one Wine prefix from Linux and records their lifetimes.

    proc_watch.py WINEPREFIX OUTFILE SECONDS

Every Wine process is a Linux process whose command line is the Windows one and whose
environment holds WINEPREFIX. Each process of the prefix that appears while this runs is
written to OUTFILE as "start end ppid pid name" (wall-clock seconds; end 0 when it was still
running; ppid the Linux parent, which for a process made by CreateProcess is the Windows
parent), name being the program's file name in lower case. Polls every millisecond.
"""
import os
import sys
import time


def prefix_of(pid):
    try:
        with open('/proc/%s/environ' % pid, 'rb') as f:
            for item in f.read().split(b'\0'):
                if item.startswith(b'WINEPREFIX='):
                    return item[len(b'WINEPREFIX='):].decode(errors='replace')
    except OSError:
        pass
    return None


def name_of(pid):
    try:
        with open('/proc/%s/cmdline' % pid, 'rb') as f:
            first = f.read().split(b'\0')[0].decode(errors='replace')
    except OSError:
        return None
    first = first.split(' /')[0].strip('"')
    return first.replace('/', '\\').split('\\')[-1].lower()


def ended(pid):
    # An exited process stays in /proc as a zombie until its parent reaps it.
    try:
        with open('/proc/%s/stat' % pid) as f:
            return f.read().rsplit(')', 1)[1].split()[0] in ('Z', 'X')
    except (OSError, IndexError):
        return True


def ppid_of(pid):
    try:
        with open('/proc/%s/stat' % pid) as f:
            return f.read().rsplit(')', 1)[1].split()[1]
    except (OSError, IndexError):
        return '0'


def main():
    prefix, outfile, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
    seen = set(os.listdir('/proc'))  # what runs already is not ours to time
    alive = {}
    records = []
    end = time.time() + seconds
    while time.time() < end:
        now = time.time()
        pids = set(p for p in os.listdir('/proc') if p.isdigit())
        for pid in pids - seen:
            seen.add(pid)
            if prefix_of(pid) == prefix:
                alive[pid] = [now, None, ppid_of(pid)]
        for pid in list(alive):
            if pid not in pids or ended(pid):
                start, name, ppid = alive.pop(pid)
                records.append((start, now, ppid, pid, name or '?'))
            else:
                # A new process shows its parent's or the loader's name until Wine has set
                # the program's.
                alive[pid][1] = name_of(pid) or alive[pid][1]
        time.sleep(0.001)
    records += [(v[0], 0.0, v[2], pid, v[1] or '?') for pid, v in alive.items()]
    with open(outfile, 'w') as f:
        for start, stop, ppid, pid, name in sorted(records):
            f.write('%.4f %.4f %s %s %s\n' % (start, stop, ppid, pid, name))


if __name__ == '__main__':
    main()
