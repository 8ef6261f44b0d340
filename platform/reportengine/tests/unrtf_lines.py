#!/usr/bin/env python3
"""The text lines unrtf reads from an RTF file, as JSON: unrtf's HTML output (which keeps
every Unicode character as a reference, unlike its plain text output) parsed by html.parser,
one line per paragraph or line break.

  unrtf_lines.py <file.rtf>
"""
import json
import subprocess
import sys
from html.parser import HTMLParser


class Lines(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.lines, self.current, self.in_body = [], "", False

    def handle_starttag(self, tag, attrs):
        if tag == "body":
            self.in_body = True
        elif tag in ("br", "p", "div"):
            self.flush()

    def handle_endtag(self, tag):
        if tag in ("p", "div", "body"):
            self.flush()

    def handle_data(self, data):
        if self.in_body:
            self.current += data.replace("\n", "")

    def flush(self):
        if self.current.strip():
            self.lines.append(self.current.strip())
        self.current = ""


html = subprocess.run(["unrtf", "--html", sys.argv[1]], check=True, capture_output=True).stdout
parser = Lines()
parser.feed(html.decode("utf-8"))
parser.close()
json.dump(parser.lines, sys.stdout, ensure_ascii=True)
