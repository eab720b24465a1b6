"""Sends alert e-mails through the real transport to a local aiosmtpd server and reads them
back with Python's email package.

    aiosmtpd_delivery_test.py <path of send_alert_tool>
"""

import datetime
import email
import email.policy
import email.utils
import os
import pathlib
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from smtp_sink import start_sink  # noqa: E402

TOOL = None
SENDER = "tindrel@localhost"
SUBJECT = "Tindrel WARNING...!!!"


def expected_zone(tz):
    """The zone text the Date line must carry under TZ=tz at this moment."""
    saved = os.environ.get("TZ")
    os.environ["TZ"] = tz
    time.tzset()
    try:
        offset = time.localtime().tm_gmtoff // 60
    finally:
        if saved is None:
            del os.environ["TZ"]
        else:
            os.environ["TZ"] = saved
        time.tzset()
    sign = "+" if offset > 0 else "-"
    return f"{sign}{abs(offset) // 60:02d}{abs(offset) % 60:02d}"


class DeliveryThroughAiosmtpd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.controller, cls.handler, cls.port = start_sink()

    @classmethod
    def tearDownClass(cls):
        cls.controller.stop()

    def send(self, body, recipient1, recipient2, tz):
        count_before = len(self.handler.envelopes)
        with tempfile.NamedTemporaryFile() as body_file:
            body_file.write(body)
            body_file.flush()
            done = subprocess.run(
                [TOOL, "127.0.0.1", str(self.port), recipient1, recipient2, body_file.name],
                capture_output=True, timeout=60, env={**os.environ, "TZ": tz})
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout.strip(), b"-3")
        with self.handler.received:
            self.handler.received.wait_for(
                lambda: len(self.handler.envelopes) > count_before, timeout=10)
        self.assertEqual(len(self.handler.envelopes), count_before + 1)
        return self.handler.envelopes[-1]

    def check_message(self, envelope, body, to, cc, zone):
        message = email.message_from_bytes(envelope.content, policy=email.policy.compat32)
        self.assertEqual(envelope.mail_from, SENDER)
        self.assertEqual(envelope.rcpt_tos, [r for r in (cc, to) if r])  # newest first
        self.assertEqual(message["From"], SENDER)
        self.assertEqual(message["Subject"], SUBJECT)
        self.assertEqual(message["To"], to or None)
        self.assertEqual(message["Cc"], cc or None)
        self.assertEqual(message["Date"].rsplit(" ", 1)[1], zone)
        sent_at = email.utils.parsedate_to_datetime(message["Date"])
        if sent_at.tzinfo is None:  # "-0000": UTC, saying nothing of the sender's zone
            sent_at = sent_at.replace(tzinfo=datetime.timezone.utc)
        now = datetime.datetime.now(datetime.timezone.utc)
        self.assertLess(abs(now - sent_at), datetime.timedelta(minutes=5))
        self.assertEqual(message.get_content_type(), "text/plain")
        self.assertEqual(message.get_content_charset(), "iso-8859-1")
        decoded = message.get_payload(decode=True)
        # The last line's end belongs to the closing sequence of the session.
        self.assertEqual(decoded.removesuffix(b"\r\n").removesuffix(b"\n"), body)

    def test_alert_to_both_recipients(self):
        body = b"10.0.0.7 not responding !!!"
        envelope = self.send(body, "ops@example.test", "boss@example.test", "IST-5:30")
        self.check_message(envelope, body, "ops@example.test", "boss@example.test", "+0530")

    def test_long_body_with_dots_at_soft_breaks(self):
        # Soft breaks fall after 72 characters: ".end" and a lone "." then start lines, and
        # a lone "." line must not end the data early.
        cases = [
            b"a" * 72 + b".",
            b"." + b"b" * 71 + b".end = caf\xe9 " + b"c" * 60 + b"\t!",
        ]
        for body in cases:
            with self.subTest(body=body):
                envelope = self.send(body, "ops@example.test", "", "UTC0")
                self.check_message(envelope, body, "ops@example.test", "", "-0000")

    def test_test_mail_in_a_zone_with_daylight_saving(self):
        tz = "EST5EDT,M3.2.0,M11.1.0"
        body = b" This is a test !!!"
        envelope = self.send(body, "", "boss@example.test", tz)
        self.check_message(envelope, body, "", "boss@example.test", expected_zone(tz))


if __name__ == "__main__":
    TOOL = sys.argv.pop(1)
    unittest.main()
