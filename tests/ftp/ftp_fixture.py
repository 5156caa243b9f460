#!/usr/bin/env python3
"""Starts and stops the FTP servers the Wine tests talk to, all on 127.0.0.1:
vsftpd in the foreground with a configuration of its own (anonymous access,
a local user with a password, uploads, active mode) and the scripted server.

  ftp_fixture.py start STATE_DIR [--big-mb N]
  ftp_fixture.py stop STATE_DIR

start writes STATE_DIR/state.ini with the ports, the served tree and the
vsftpd log; the tests read it. Ports are picked free at run time."""
import os
import pwd
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

LOCAL_USER = "korbftp"
LOCAL_PASSWORD = "korb-ftp-13"
HERE = os.path.dirname(os.path.abspath(__file__))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_until(check, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if check():
            return True
        time.sleep(0.05)
    return False


def accepts(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=1).close()
        return True
    except OSError:
        return False


def make_tree(root, big_mb):
    tree = os.path.join(root, "tree")
    for sub in ("pub", "incoming"):
        os.makedirs(os.path.join(tree, sub))
    os.makedirs(os.path.join(root, "empty"))
    with open(os.path.join(tree, "pub", "big.bin"), "wb") as out:
        out.write(random.Random(13).randbytes(5 * 1024 * 1024))
    if big_mb:
        with open(os.path.join(tree, "pub", "bench.bin"), "wb") as out:
            block = random.Random(100).randbytes(1024 * 1024)
            for _ in range(big_mb):
                out.write(block)
    with open(os.path.join(tree, "pub", "readme.txt"), "w") as out:
        out.write("served by the test set-up\n")
    # Anonymous uploads go to a directory of the ftp user; the root itself must not be writable.
    ftp_user = pwd.getpwnam("ftp")
    os.chown(os.path.join(tree, "incoming"), ftp_user.pw_uid, ftp_user.pw_gid)
    os.chmod(tree, 0o555)
    return tree


def vsftpd_config(root, tree, port, local_user):
    lines = [
        "listen=YES", "listen_address=127.0.0.1", "listen_port=%d" % port, "background=NO",
        "secure_chroot_dir=" + os.path.join(root, "empty"), "write_enable=YES",
        "anonymous_enable=YES", "no_anon_password=YES", "anon_root=" + tree, "anon_upload_enable=YES",
        "port_enable=YES", "connect_from_port_20=NO", "pasv_enable=NO", "seccomp_sandbox=NO",
        "xferlog_enable=YES", "xferlog_std_format=NO", "log_ftp_protocol=YES",
        "vsftpd_log_file=" + os.path.join(root, "vsftpd.log"), "delay_failed_login=0",
    ]
    if local_user:
        lines += ["local_enable=YES", "pam_service_name=vsftpd", "chroot_local_user=YES",
                  "allow_writeable_chroot=YES", "local_root=" + tree]
    path = os.path.join(root, "vsftpd.conf")
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")
    return path


def start(state_dir, big_mb):
    stop(state_dir)
    os.makedirs(state_dir, exist_ok=True)
    root = tempfile.mkdtemp(prefix="korb-ftp-")
    os.chmod(root, 0o755)
    pids = []
    state = {"root": root, "vsftpd_port": 0, "local_user": "", "local_password": ""}
    if os.geteuid() == 0 and os.path.exists("/usr/sbin/vsftpd"):
        tree = make_tree(root, big_mb)
        local_user = subprocess.run(["id", LOCAL_USER], capture_output=True).returncode == 0
        if local_user:  # the local user may upload into /pub
            os.chown(os.path.join(tree, "pub"), pwd.getpwnam(LOCAL_USER).pw_uid, -1)
        port = free_port()
        config = vsftpd_config(root, tree, port, local_user)
        log = open(os.path.join(root, "vsftpd.out"), "w")
        # Output to files, never the caller's pipes: the test runner waits until those close.
        server = subprocess.Popen(["/usr/sbin/vsftpd", config], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                  start_new_session=True)
        pids.append(server.pid)
        if wait_until(lambda: accepts(port)):
            state.update(vsftpd_port=port, tree=tree, log=os.path.join(root, "vsftpd.log"))
            if local_user:
                state.update(local_user=LOCAL_USER, local_password=LOCAL_PASSWORD)
    ports_file = os.path.join(state_dir, "scripted.ports")
    if os.path.exists(ports_file):
        os.remove(ports_file)
    with open(os.path.join(state_dir, "scripted.out"), "w") as log:
        scripted = subprocess.Popen([sys.executable, os.path.join(HERE, "scripted_ftp_server.py"), ports_file],
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    pids.append(scripted.pid)
    if not wait_until(lambda: os.path.exists(ports_file) and os.path.getsize(ports_file) > 0):
        print("the scripted server did not start")
        return 1
    with open(ports_file) as ports:
        state["scripted_port"], state["scripted_control_port"] = ports.read().split()
    with open(os.path.join(state_dir, "pids"), "w") as out:
        out.write(" ".join(map(str, pids)) + "\n")
    with open(os.path.join(state_dir, "state.ini"), "w") as out:
        out.write("[ftp]\n" + "".join("%s=%s\n" % item for item in state.items()))
    print("vsftpd on port %s, scripted server on port %s" % (state["vsftpd_port"], state["scripted_port"]))
    return 0


def stop(state_dir):
    pids_file = os.path.join(state_dir, "pids")
    if os.path.exists(pids_file):
        with open(pids_file) as pids:
            for pid in map(int, pids.read().split()):
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        os.remove(pids_file)
    state_file = os.path.join(state_dir, "state.ini")
    if os.path.exists(state_file):
        with open(state_file) as state:
            for line in state:
                if line.startswith("root=") and os.path.basename(line[5:].strip()).startswith("korb-ftp-"):
                    shutil.rmtree(line[5:].strip(), ignore_errors=True)
        os.remove(state_file)
    return 0


if __name__ == "__main__":
    command, directory = sys.argv[1], sys.argv[2]
    big = int(sys.argv[4]) if len(sys.argv) > 4 and sys.argv[3] == "--big-mb" else 0
    sys.exit(start(directory, big) if command == "start" else stop(directory))
