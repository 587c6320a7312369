#!/usr/bin/python3
"""Reads a vCard with python3-vobject and prints what it understood as JSON."""
import json
import sys

import vobject


def text(card, name):
    items = card.contents.get(name, [])
    return items[0].value if items else None


def main():
    # --lenient: for files another program wrote that vobject itself cannot read whole (a
    # stray byte that is not UTF-8, vCard 2.1 base64 lines without their leading blank):
    # such bytes read as replacement characters, such lines are passed over.
    lenient = "--lenient" in sys.argv[2:]
    with open(sys.argv[1], encoding="utf-8", errors="replace" if lenient else "strict", newline="") as f:
        card = vobject.readOne(f.read(), ignoreUnreadable=lenient)
    n = card.n.value
    out = {
        "version": text(card, "version"),
        "uid": text(card, "uid"),
        "n": {"family": n.family, "given": n.given, "additional": n.additional,
              "prefix": n.prefix, "suffix": n.suffix},
        "fn": text(card, "fn"),
        "nickname": text(card, "nickname"),
        "org": text(card, "org"),
        "title": text(card, "title"),
        "email": text(card, "email"),
        "url": text(card, "url"),
        "note": text(card, "note"),
        "adr": [{"types": sorted(t.upper() for t in a.params.get("TYPE", [])),
                 "box": a.value.box, "extended": a.value.extended, "street": a.value.street,
                 "city": a.value.city, "region": a.value.region, "code": a.value.code,
                 "country": a.value.country} for a in card.contents.get("adr", [])],
        "tel": [{"types": sorted(t.upper() for t in t_.params.get("TYPE", [])), "value": t_.value}
                for t_ in card.contents.get("tel", [])],
    }
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
