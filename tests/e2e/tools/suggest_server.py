#!/usr/bin/env python3
"""A local suggestion service for the tests.

    suggest_server.py PORT_FILE LOG_FILE

Listens on 127.0.0.1 at a port the system chooses, writes that port (one line)
to PORT_FILE once it listens, and serves until SIGTERM or SIGINT. Each request
runs on a thread of its own, so a hanging one holds up no other.

Every request is appended to LOG_FILE as one line, when it arrives, with four
tab-separated fields:

    PATH?QUERY <TAB> TEXT <TAB> USER-AGENT <TAB> COOKIE

TEXT is the `wd` or `q` parameter, decoded (UTF-8, "+" a space); the last two
are the request's headers, "-" when it has none.

Each reply, once written (or abandoned because the client had gone), is
appended to LOG_FILE.replies as "TEXT <TAB> sent|gone": the sign that a slow
reply has been given, after which a client may be checked for what it did
with it.

What the reply is follows from the path: zero or more behaviour segments, then
the format and the charset; whatever follows them ("/su", "/complete") is not
read. The suggestions are made from the text: TEXT1, TEXT2, TEXT3.

    format    baidu        window.baidu.sug({"q":TEXT,"p":false,"s":[...]});
              opensearch   [TEXT,[...]]
    charset   utf8         UTF-8, Content-Type names charset=utf-8
              gbk          GBK, Content-Type names charset=GBK
              none         GBK, Content-Type names no charset

    behaviour (before the format, any number, in this order of effect):
      delay/MS/           answers after MS milliseconds
      delayfor/TEXT/MS/   answers after MS milliseconds when the requested
                          text is TEXT (percent-encoded UTF-8), at once otherwise
      hang/               never answers (the connection stays open until the
                          client gives up or the server stops)
      drip/MS/            sends the reply a byte every MS milliseconds
      status/CODE/        answers with that HTTP status (the body still a reply)
      malformed/          a reply cut off in the middle of its JSON
      huge/               a 10 MB reply (Content-Length given)
      nolength/           no Content-Length: the reply ends as the connection
                          closes (with huge/, the client must count what it reads)
      wrongcharset/       names charset=utf-8 but sends the bytes as GBK
      words/W1,W2,.../    the suggestions are these words (percent-encoded
                          UTF-8, comma-separated) instead of TEXT1..TEXT3

Examples:  /baidu/none/su?wd=...   /delay/800/opensearch/utf8/?q=...
           /delayfor/%E5%8C%97/800/baidu/gbk/su?wd=...   /hang/baidu/utf8/?wd=...

Every reply sets a cookie, so a client that keeps cookies sends it back.
"""
import json
import os
import signal
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HUGE_BYTES = 10 * 1024 * 1024
stopping = threading.Event()
log_lock = threading.Lock()


def build_reply(fmt, text, words=None):
    items = words if words is not None else [text + str(n) for n in range(1, 4)]
    if fmt == "baidu":
        data = json.dumps({"q": text, "p": False, "s": items}, ensure_ascii=False)
        return "window.baidu.sug(" + data + ");"
    return json.dumps([text, items], ensure_ascii=False)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):  # the request log below is the only output
        pass

    def do_GET(self):
        parsed = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(parsed.query, keep_blank_values=True)
        text = (query.get("wd") or query.get("q") or [""])[0]
        agent = self.headers.get("User-Agent", "-")
        cookie = self.headers.get("Cookie", "-")
        line = "\t".join(s.replace("\t", " ").replace("\n", " ") for s in (self.path, text, agent, cookie))
        with log_lock, open(self.server.log_file, "a", encoding="utf-8") as log:
            log.write(line + "\n")

        segments = [urllib.parse.unquote(s) for s in parsed.path.split("/") if s]
        delay_ms = drip_ms = 0
        status = 200
        hang = malformed = huge = wrong_charset = no_length = False
        words = None
        while segments and segments[0] not in ("baidu", "opensearch"):
            word = segments.pop(0)
            try:
                if word == "delay":
                    delay_ms = int(segments.pop(0))
                elif word == "delayfor":
                    wanted, ms = segments.pop(0), int(segments.pop(0))
                    if wanted == text:
                        delay_ms = ms
                elif word == "hang":
                    hang = True
                elif word == "drip":
                    drip_ms = int(segments.pop(0))
                elif word == "status":
                    status = int(segments.pop(0))
                elif word == "malformed":
                    malformed = True
                elif word == "huge":
                    huge = True
                elif word == "nolength":
                    no_length = True
                elif word == "wrongcharset":
                    wrong_charset = True
                elif word == "words":
                    words = [w for w in segments.pop(0).split(",") if w]
                else:
                    return self.send_error(404, "unknown segment " + word)
            except (IndexError, ValueError):
                return self.send_error(404, "bad value after " + word)
        if len(segments) < 2 or segments[1] not in ("utf8", "gbk", "none"):
            return self.send_error(404, "no format and charset")
        fmt, charset = segments[0], segments[1]

        if hang:
            stopping.wait(600)
            return
        if delay_ms and stopping.wait(delay_ms / 1000):
            return

        try:
            self.write_reply(fmt, charset, text, words, status, drip_ms, malformed, huge, wrong_charset, no_length)
            outcome = "sent"
        except (BrokenPipeError, ConnectionResetError):
            outcome = "gone"  # the client stopped reading: what a client should do with a huge reply
        with log_lock, open(self.server.log_file + ".replies", "a", encoding="utf-8") as log:
            log.write(text.replace("\t", " ").replace("\n", " ") + "\t" + outcome + "\n")

    def write_reply(self, fmt, charset, text, words, status, drip_ms, malformed, huge, wrong_charset, no_length):
        reply = build_reply(fmt, text, words)
        if malformed:
            reply = reply[: len(reply) // 2]
        if charset == "utf8" and not wrong_charset:
            body = reply.encode("utf-8")
        else:
            body = reply.encode("gbk", errors="replace")
        content_type = "text/javascript"
        if charset == "utf8" or wrong_charset:
            content_type += "; charset=utf-8"
        elif charset == "gbk":
            content_type += "; charset=GBK"

        self.send_response(status)
        self.send_header("Content-Type", content_type)
        if no_length:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(HUGE_BYTES if huge else len(body)))
        self.send_header("Set-Cookie", "quorvex_test=1; Path=/")
        self.end_headers()
        if huge:
            chunk = b" " * 65536
            for _ in range(HUGE_BYTES // len(chunk)):
                if stopping.is_set():
                    return
                self.wfile.write(chunk)
        elif drip_ms:
            for i in range(len(body)):
                if stopping.wait(drip_ms / 1000):
                    return
                self.wfile.write(body[i : i + 1])
                self.wfile.flush()
        else:
            self.wfile.write(body)
        self.wfile.flush()


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: suggest_server.py PORT_FILE LOG_FILE")
    port_file, log_file = sys.argv[1], sys.argv[2]
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.log_file = log_file
    open(log_file, "a").close()

    def stop(*_):
        stopping.set()
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    # Written whole, then renamed: a reader never sees half a number.
    with open(port_file + ".tmp", "w") as f:
        f.write("%d\n" % server.server_address[1])
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever(poll_interval=0.1)
    server.server_close()


if __name__ == "__main__":
    main()
