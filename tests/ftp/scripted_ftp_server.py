#!/usr/bin/env python3
"""A scripted FTP server for the client's edge cases (standard library only).

It listens on two free ports of 127.0.0.1: the FTP port, and a control port
on which a test names the scenario the next FTP connection gets ("scenario
NAME") and reads back what happened in it ("transcript": the lines, then
"."). Every wait is bounded; the server ends itself after half an hour
without a test talking to it."""
import socket
import struct
import sys
import threading
import time

TIMEOUT = 10          # seconds any single socket wait may last
IDLE_EXIT = 1800      # seconds without a control request before the server ends
MAX_COMMANDS = 50
PAYLOAD = bytes(range(256)) * 400  # what every download delivers


class Session:
    def __init__(self, conn, log):
        self.conn, self.log, self.pending, self.port_address = conn, log, b"", None
        self.current_verb = ""
        conn.settimeout(TIMEOUT)
        log.append("peer " + conn.getpeername()[0])

    def send(self, text):
        self.conn.sendall(text.encode("latin-1"))

    def reply(self, *lines):
        self.send("".join(line + "\r\n" for line in lines))

    def command(self):
        while b"\n" not in self.pending:
            data = self.conn.recv(4096)
            if not data:
                return None
            self.pending += data
        line, _, self.pending = self.pending.partition(b"\n")
        text = line.decode("latin-1").rstrip("\r")
        self.log.append("> " + text)
        return text

    def quiet(self, seconds):
        """Lets time pass while the reply is unfinished; a command that arrives meanwhile came too early."""
        self.conn.settimeout(seconds)
        try:
            data = self.conn.recv(4096)
            if data:
                self.log.append("early " + data.decode("latin-1").strip())
                self.pending += data
        except socket.timeout:
            pass
        finally:
            self.conn.settimeout(TIMEOUT)

    def wait_closed(self, seconds=30):
        self.conn.settimeout(1)
        for _ in range(seconds):
            try:
                data = self.conn.recv(4096)
                if not data:
                    break
                self.log.append("> " + data.decode("latin-1").strip())
            except socket.timeout:
                continue
            except OSError:
                break
        self.log.append("closed by client")

    def data_connection(self, source="127.0.0.1"):
        sock = socket.create_connection(self.port_address, timeout=TIMEOUT, source_address=(source, 0))
        self.log.append("data from " + source)
        return sock


def greet(*lines, pause=0.0):
    def run(s):
        for i, line in enumerate(lines):
            s.reply(line)
            if pause and i + 1 < len(lines):
                s.quiet(pause)
    return run


def download(s, payload=PAYLOAD, final="226 Transfer complete", cut=None, reset=False, drop_control=False):
    s.reply("150 Opening BINARY mode data connection")
    with s.data_connection() as data:
        data.sendall(payload[:cut] if cut else payload)
        if drop_control:
            s.conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            s.conn.close()
            return "end"
        if reset:
            time.sleep(0.5)  # the client has taken the connection and the first half by now
            data.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    s.reply(final)


def store(s, _):
    s.reply("150 Ok to send data")
    received = 0
    with s.data_connection() as data:
        for _ in range(100000):
            chunk = data.recv(65536)
            if not chunk:
                break
            received += len(chunk)
    s.log.append("stored %d bytes" % received)
    s.reply("226 Transfer complete")


def intruder_first(s, _):
    """Another program connects to the announced port before the server does."""
    s.reply("150 Opening BINARY mode data connection")
    with s.data_connection(source="127.0.0.2") as intruder:
        intruder.settimeout(3)
        try:
            intruder.sendall(b"INJECTED BY ANOTHER PROGRAM")
            s.log.append("intruder kept" if intruder.recv(16) else "intruder turned away")
        except socket.timeout:
            s.log.append("intruder kept")
        except OSError:
            s.log.append("intruder turned away")
    with s.data_connection() as data:
        data.sendall(PAYLOAD)
    s.reply("226 Transfer complete")


def remember_port(s, argument):
    numbers = [int(n) for n in argument.split(",")]
    s.port_address = (".".join(map(str, numbers[:4])), numbers[4] * 256 + numbers[5])


def set_port(s, argument):
    remember_port(s, argument)
    s.reply("200 PORT command successful")


def split_user(s, _):
    """The USER reply in two segments; the PASS reply already follows it."""
    s.send("331 User ok, send")
    s.quiet(0.3)
    s.send(" password\r\n230 Logged in\r\n")


def refuse(*lines):
    """Refuses a transfer without a data connection: the lines a little apart."""
    def run(s, _):
        for i, line in enumerate(lines):
            if i:
                s.quiet(0.2)
            s.reply(line)
    return run


DEFAULTS = {
    "USER": lambda s, a: s.reply("331 Password required"),
    "PASS": lambda s, a: s.reply("230 Logged in"),
    "ACCT": lambda s, a: s.reply("230 Account accepted"),
    "TYPE": lambda s, a: s.reply("200 Type set"),
    "PORT": set_port,
    "RETR": lambda s, a: download(s),
    "LIST": lambda s, a: download(s, b"-rw-r--r-- 1 ftp ftp 5 Jan 01 1996 README\r\n"),
    "STOR": store,
    "QUIT": lambda s, a: (s.reply("221 Goodbye"), "end")[1],
}

SCENARIOS = {
    "plain": {},
    "multi_greeting": {"greeting": greet("220-Welcome", "220-second line", "220 ready", pause=0.3)},
    "greeting_120": {"greeting": greet("120 Service ready in a moment", "220 ready", pause=0.5)},
    "middle_lines": {"greeting": lambda s: s.send(
        "220-Welcome\r\nplain middle line\r\n  220 indented\r\n230 other code\r\n220 ready\r\n")},
    "user_230": {"USER": lambda s, a: s.reply("230 No password needed")},
    "account": {"PASS": lambda s, a: s.reply("332 Need account for login")},
    "pass_530": {"PASS": lambda s, a: s.reply("530 Login incorrect.")},
    "split_reply": {"USER": split_user, "PASS": lambda s, a: None},
    "silent_login": {"USER": lambda s, a: (s.wait_closed(), "end")[1]},
    "final_451": {"RETR": lambda s, a: download(s, final="451 Local error in processing")},
    "no_data_connection": {"RETR": lambda s, a: (s.reply("150 Opening data connection"), s.wait_closed(), "end")[2]},
    "broken_download": {"RETR": lambda s, a: download(s, cut=len(PAYLOAD) // 2, reset=True,
                                                      final="426 Connection closed; transfer aborted")},
    "control_drop": {"RETR": lambda s, a: download(s, cut=len(PAYLOAD) // 2, drop_control=True)},
    "intruder": {"RETR": intruder_first},
    "refused_RETR": {"RETR": refuse("550 Failed to open file.")},
    "refused_STOR": {"STOR": refuse("553 Could not create file.")},
    "late_refusal_RETR": {"RETR": refuse("150 Opening data connection", "425 Can't open data connection.")},
    "late_refusal_STOR": {"STOR": refuse("150 Ok to send data", "425 Can't open data connection.")},
    "late_refusal_twice": {"RETR": refuse("150 Opening data connection", "125 Still trying",
                                          "425 Can't open data connection.")},
}


def hang_up(s, graceful=False):
    """Ends the control connection without the reply: a reset, or a plain close."""
    if not graceful:
        s.conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    s.conn.close()
    s.log.append("dropped control")
    return "end"


# How the server fails where a reply is due: reset, close, half a reply line
# then close, 5,000 characters without a line feed then close.
FAILURES = {
    "reset": hang_up,
    "close": lambda s: hang_up(s, graceful=True),
    "partial": lambda s: (s.send("23"), s.quiet(0.2), hang_up(s, graceful=True))[2],
    "long": lambda s: (s.send("230 " + "x" * 5000), s.quiet(0.2), hang_up(s, graceful=True))[2],
}


def transfer_failure(stage):
    """A transfer that breaks after its 150: no data connection, the data
    connection reset half-way, or the data complete without the final reply;
    each time the control connection goes too."""
    def run(s, _):
        s.reply("150 Opening data connection")
        if stage == "nodata":
            s.quiet(0.2)
            return hang_up(s)
        with s.data_connection() as data:
            if s.current_verb == "STOR":
                data.settimeout(TIMEOUT)
                data.recv(4096)
            else:
                data.sendall(PAYLOAD[: len(PAYLOAD) // 2 if stage == "datareset" else None])
            if stage == "datareset":
                time.sleep(0.3)
                data.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            elif s.current_verb == "STOR":
                for _ in range(100000):
                    if not data.recv(65536):
                        break
        s.quiet(0.2)
        return hang_up(s)
    return run


def dropping(name):
    """The scenario "drop_VERB_STAGE": the server fails at VERB (GREETING for
    the greeting) in the way STAGE names; None for any other name."""
    parts = name.split("_")
    if len(parts) != 3 or parts[0] != "drop":
        return None
    verb, stage = parts[1], parts[2]
    # A reply line of 5,000 characters that ends properly: the client cuts it and goes on.
    if stage == "longline" and verb in ("GREETING", "USER", "PASS", "TYPE", "PORT"):
        # The port must still be known for the transfer that follows.
        code = {"GREETING": "220", "USER": "230", "PASS": "230", "TYPE": "200", "PORT": "200"}[verb]
        handler = lambda s, a="": (remember_port(s, a) if verb == "PORT" else None, s.reply(code + " " + "x" * 5000))[1]
    elif stage in FAILURES:
        handler = lambda s, a="": FAILURES[stage](s)
    elif stage in ("nodata", "datareset", "nofinal") and verb in ("RETR", "LIST", "STOR"):
        handler = transfer_failure(stage)
    else:
        return None
    return {"greeting": handler} if verb == "GREETING" else {verb: handler}


# What the FTP dialog's remote tree starts with: the directory pub and the file file.bin.
ROOT_LISTING = (b"drwxr-xr-x 2 ftp ftp 512 Jan 01 1996 pub\r\n"
                b"-rw-r--r-- 1 ftp ftp 102400 Jan 01 1996 file.bin\r\n")
# A listing of junk around one good line: bytes of every value, zero bytes, a
# line without a blank, a link, a line of 600 characters, no final line feed.
GARBAGE_LISTING = (bytes(b for b in range(256) if b != 10) * 3 + b"\n\x00\x00 zero\r\nnoblank\r\n"
                   b"lrwxrwxrwx 1 ftp ftp 4 Jan 01 1996 link -> pub\r\n"
                   b"drwxr-xr-x 2 ftp ftp 512 Jan 01 1996 kept\r\n" + b"-" * 600 + b"\r\n\xff\xfe tail")


def listing_then(fault):
    """The root listing as it is; the listing of any directory fails by fault."""
    return lambda s, a: download(s, ROOT_LISTING) if a == "" else fault(s, a)


def refuse(*lines):
    return lambda s, a: s.send("".join(line + "\r\n" for line in lines))


# Faults as the FTP dialog meets them, one session each.
DIALOG_SCENARIOS = {
    "ui_after_login": {"PASS": lambda s, a: (s.reply("230 Logged in"), hang_up(s, graceful=True))[1]},
    "ui_list_reset": {"LIST": listing_then(lambda s, a: hang_up(s))},
    "ui_list_data_reset": {"LIST": listing_then(transfer_failure("datareset"))},
    "ui_list_garbage": {"LIST": listing_then(lambda s, a: download(s, GARBAGE_LISTING))},
    "ui_list_codeless": {"LIST": listing_then(lambda s, a: s.reply("garbage instead of a reply"))},
    "ui_list_silent": {"LIST": listing_then(lambda s, a: (s.wait_closed(45), "end")[1])},
    "ui_retr_drop": {"LIST": listing_then(None),
                     "RETR": lambda s, a: download(s, cut=len(PAYLOAD) // 2, drop_control=True)},
    "ui_stor_drop": {"LIST": listing_then(None), "STOR": transfer_failure("datareset")},
    "ui_refused_codeless": {"PASS": refuse("Go away")},
    "ui_refused_multiline": {"PASS": refuse("530-Access denied", "  for this account", "530 Goodbye")},
}


def scenario_named(name):
    if name in DIALOG_SCENARIOS:
        return DIALOG_SCENARIOS[name]
    return SCENARIOS[name] if name in SCENARIOS else dropping(name)


def run_session(conn, scenario, log, done):
    try:
        s = Session(conn, log)
        if scenario.get("greeting", greet("220 Scripted server ready"))(s) == "end":
            return
        for _ in range(MAX_COMMANDS):
            line = s.command()
            if line is None:
                log.append("closed by client")
                break
            verb, _, argument = line.partition(" ")
            s.current_verb = verb.upper()
            handler = scenario.get(verb.upper(), DEFAULTS.get(verb.upper()))
            if handler is None:
                s.reply("502 Command not implemented")
            elif handler(s, argument) == "end":
                break
    except OSError as error:
        log.append("error " + str(error))
    finally:
        conn.close()
        done.set()


def main(ports_file):
    ftp = socket.create_server(("127.0.0.1", 0))
    control = socket.create_server(("127.0.0.1", 0))
    with open(ports_file, "w") as out:
        out.write("%d %d\n" % (ftp.getsockname()[1], control.getsockname()[1]))
    current = {"name": "plain", "log": [], "done": threading.Event()}

    def serve_ftp():
        while True:
            conn, _ = ftp.accept()
            threading.Thread(target=run_session, daemon=True,
                             args=(conn, scenario_named(current["name"]), current["log"], current["done"])).start()

    threading.Thread(target=serve_ftp, daemon=True).start()
    control.settimeout(IDLE_EXIT)
    while True:
        try:
            conn, _ = control.accept()
        except socket.timeout:
            return
        with conn, conn.makefile("rw", encoding="latin-1", newline="\n") as channel:
            conn.settimeout(30)
            request = channel.readline().strip()
            if request.startswith("scenario ") and scenario_named(request[9:]) is not None:
                current.update(name=request[9:], log=[], done=threading.Event())
                channel.write("ok\n")
            elif request == "transcript":
                current["done"].wait(20)
                channel.write("".join(line + "\n" for line in current["log"]) + ".\n")
            else:
                channel.write("unknown\n")


if __name__ == "__main__":
    main(sys.argv[1])
