#!/usr/bin/env python3
"""Reads exported HTML, web archives and their links back for the HTML export tests.

  html_check.py page <file> <codec>   one page: structure, texts, links, head (JSON)
  html_check.py pages <file> <codec> ...  several pages, a list of the same
  html_check.py site <file>           every local link and anchor from <file> on, followed
  html_check.py mht <file>            the parts of a web archive and its root page's links
  html_check.py xml <file>            the entries of an XML table of contents, with depth
"""
import codecs
import email
import email.policy
import json
import os
import re
import sys
import urllib.parse
import xml.etree.ElementTree as ElementTree
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr", "frame", "param"}
LINKS = {("a", "href"), ("link", "href"), ("frame", "src"), ("img", "src")}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors, self.texts, self.links, self.ids = [], [], [], [], []
        self.tags, self.head, self.title, self.charset = {}, [], "", None
        self.in_head = self.in_title = False
        self.styles = ""
        self.in_style = False
        self.classes = {}

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.tags[tag] = self.tags.get(tag, 0) + 1
        if self.in_head and tag != "head":
            self.head.append(tag)
        if tag == "head":
            self.in_head = True
        if tag == "title":
            self.in_title = True
        if tag == "style":
            self.in_style = True
        if tag == "meta" and "content" in attrs:
            m = re.search(r"charset=([\w\-]+)", attrs["content"])
            if m:
                self.charset = m.group(1)
        for name, attribute in LINKS:
            if tag == name and attrs.get(attribute):
                self.links.append({"tag": tag, "url": attrs[attribute],
                                   "target": attrs.get("target", ""), "rel": attrs.get("rel", "")})
        if attrs.get("id"):
            self.ids.append(attrs["id"])
        if attrs.get("class"):
            self.classes[attrs["class"]] = self.classes.get(attrs["class"], 0) + 1
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.tags[tag] = self.tags.get(tag, 0) + 1

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> closes %s" % (tag, self.stack[-1] if self.stack else "nothing"))
            if tag in self.stack:
                while self.stack and self.stack.pop() != tag:
                    pass
            return
        self.stack.pop()
        if tag == "head":
            self.in_head = False
        if tag == "title":
            self.in_title = False
        if tag == "style":
            self.in_style = False

    def handle_data(self, data):
        if self.in_title:
            self.title += data
        elif self.in_style:
            self.styles += data
        elif data.strip():
            self.texts.append(data)

    def handle_comment(self, data):
        if self.in_head:
            self.head.append("!--")


def read_page(path, codec):
    with open(path, "rb") as f:
        raw = f.read()
    page = Page()
    page.feed(raw.decode(codec))  # strict: an undecodable byte fails the check
    page.close()
    if page.stack:
        page.errors.append("unclosed: " + " ".join(page.stack))
    declared = re.search(rb"charset=([\w\-]+)", raw)
    return page, raw, declared.group(1).decode() if declared else None


def codec_name(label):
    try:
        return codecs.lookup(label).name
    except (LookupError, TypeError):
        return None


def page_facts(path, codec):
    page, raw, declared = read_page(path, codec)
    return {"errors": page.errors, "texts": page.texts, "links": page.links, "ids": page.ids,
            "tags": page.tags, "head": page.head, "title": page.title,
            "charset": page.charset, "declaredBytes": declared, "styles": page.styles,
            "classes": page.classes, "ascii": all(b < 0x80 for b in raw),
            "charsetCodec": codec_name(page.charset), "codec": codec_name(codec)}


def local_target(base_file, url):
    parts = urllib.parse.urlsplit(url)
    if parts.scheme or parts.netloc:
        return None, None
    path = urllib.parse.unquote(parts.path)
    target = os.path.normpath(os.path.join(os.path.dirname(base_file), path)) if path else base_file
    return target, parts.fragment


def site_facts(main):
    todo, seen, broken, fragments = [os.path.abspath(main)], set(), [], []
    while todo:
        current = todo.pop()
        if current in seen:
            continue
        seen.add(current)
        if not current.endswith((".htm", ".html")):
            continue
        page, _, _ = read_page(current, "utf-8")
        for link in page.links:
            target, fragment = local_target(current, link["url"])
            if target is None:
                continue
            if not os.path.exists(target):
                broken.append(link["url"] + " from " + os.path.basename(current))
                continue
            todo.append(target)
            if fragment:
                fragments.append((target, fragment, link["url"], current))
    ids = {}
    for target, fragment, url, source in fragments:
        if target not in ids:
            ids[target] = set(read_page(target, "utf-8")[0].ids)
        if fragment not in ids[target]:
            broken.append(url + " from " + os.path.basename(source))
    return {"files": sorted(os.path.relpath(f, os.path.dirname(os.path.abspath(main)))
                            for f in seen), "broken": broken}


def mht_facts(path):
    with open(path, "rb") as f:
        message = email.message_from_binary_file(f, policy=email.policy.default)
    parts = []
    for part in message.iter_parts():
        parts.append({"type": part.get_content_type(),
                      "location": part.get("Content-Location", ""),
                      "size": len(part.get_payload(decode=True))})
    root = next(message.iter_parts())
    html = root.get_payload(decode=True).decode(root.get_content_charset() or "utf-8")
    page = Page()
    page.feed(html)
    locations = {p["location"] for p in parts}
    unresolved = []
    for link in page.links:
        url = urllib.parse.urljoin(root.get("Content-Location", ""), link["url"])
        url = urllib.parse.urldefrag(url)[0]
        if url and url not in locations:
            unresolved.append(link["url"])
    return {"type": message.get_content_type(), "subject": str(message["Subject"]),
            "parts": parts, "unresolved": unresolved, "texts": page.texts,
            "errors": page.errors}


def xml_facts(path):
    entries = []

    def walk(element, depth):
        for child in element:
            entries.append({"depth": depth, "text": child.get("Text"), "page": child.get("Page"),
                            "href": child.get("Href")})
            walk(child, depth + 1)

    root = ElementTree.parse(path).getroot()
    walk(root, 0)
    return {"root": root.tag, "title": root.get("Title"), "entries": entries}


def main():
    command = sys.argv[1]
    if command == "page":
        facts = page_facts(sys.argv[2], sys.argv[3])
    elif command == "pages":
        facts = [page_facts(path, codec) for path, codec in zip(sys.argv[2::2], sys.argv[3::2])]
    elif command == "site":
        facts = site_facts(sys.argv[2])
    elif command == "xml":
        facts = xml_facts(sys.argv[2])
    else:
        facts = mht_facts(sys.argv[2])
    json.dump(facts, sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
