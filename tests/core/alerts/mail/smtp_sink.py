"""A local SMTP server that keeps what it receives, for tests and benchmarks.

Run as a program it listens on a free port of 127.0.0.1, prints "PORT <n>", writes each
message to <folder>/<n>.eml (with the envelope in <n>.json) and stops when its standard input
closes or it is terminated. Imported, start_sink() gives the same server in-process.
It is given its own host name and a dotted address, so it looks nothing up.
"""

import json
import pathlib
import signal
import socket
import sys
import threading

from aiosmtpd.controller import Controller


class KeepingHandler:
    def __init__(self, folder=None):
        self.folder = pathlib.Path(folder) if folder else None
        self.envelopes = []
        self.received = threading.Condition()

    async def handle_DATA(self, server, session, envelope):
        with self.received:
            self.envelopes.append(envelope)
            number = len(self.envelopes)
            if self.folder:
                (self.folder / f"{number}.eml").write_bytes(envelope.content)
                (self.folder / f"{number}.json").write_text(
                    json.dumps({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos}))
            self.received.notify_all()
        return "250 Message accepted for delivery"


def free_loopback_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def start_sink(folder=None):
    """Starts the server; returns (controller, handler, port). Stop it with controller.stop()."""
    handler = KeepingHandler(folder)
    last_error = None
    for _ in range(5):  # the free port may be taken between the look and the bind
        port = free_loopback_port()
        controller = Controller(handler, hostname="127.0.0.1", port=port,
                                server_hostname="tindrel-test", ready_timeout=10)
        try:
            controller.start()
            return controller, handler, port
        except OSError as error:
            last_error = error
    raise last_error


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    controller, _, port = start_sink(folder)
    signal.signal(signal.SIGTERM, lambda *_: sys.stdin.close())
    try:
        print(f"PORT {port}", flush=True)
        sys.stdin.read()
    except (ValueError, OSError):
        pass
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
