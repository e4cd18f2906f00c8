#!/usr/bin/env python3
"""Checks the administrative templates in res/policies against the values the program reads:

- quellix.admx and en-US/quellix.adml are well-formed XML in the Group Policy namespace;
- every $(string.X) and $(presentation.X) the ADMX names is defined in the ADML, and every
  presentation's boxes name elements of their policy;
- every value of src/settings/policy_table.h has one policy, under the policy key, for both
  the computer and the user, of the value's type (a REG_DWORD switch 1 when enabled and 0 when
  disabled, a REG_SZ text box, a REG_DWORD number box with the table's range), and no policy
  names a value the program does not read.

Usage: policy_templates.py SOURCE_DIR   (prints PASS, or FAIL: lines and exits 1)
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

NS = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def parse(path):
    try:
        return ET.parse(path).getroot()
    except (OSError, ET.ParseError) as e:
        check(False, "%s is not well-formed XML: %s" % (path, e))
        return None


def program_values(header_path):
    """{value name: (type, (lowest, highest) or None, default or None)} and the policy key,
    from policy_table.h.

    Switches are the first texts of kSwitchPolicies (REG_DWORD, 0 or 1); every other value is a
    kPolicy... constant, typed by the comment above it ("// REG_SZ: ..." or
    "// REG_DWORD, 5 to 1440: ... 15 when not set.")."""
    text = open(header_path).read()
    key = re.search(r'kPolicyKey\s*=\s*"((?:[^"\\]|\\.)*)"', text)
    key = key.group(1).replace("\\\\", "\\") if key else None
    values = {}
    table = re.search(r"kSwitchPolicies\s*\{\{(.*?)\}\};", text, re.S)
    if check(table, "policy_table.h: no kSwitchPolicies table"):
        for name in re.findall(r'\{\s*"([^"]+)"\s*,\s*"[^"]*"\s*\}', table.group(1)):
            values[name] = ("REG_DWORD", (0, 1), None)
    constant = re.compile(r'^\s*//\s*(REG_\w+)([^:\n]*):(.*)\n'
                          r'\s*inline constexpr std::string_view kPolicy(?!Key)\w+\s*=\s*"([^"]+)"', re.M)
    for kind, detail, meaning, name in constant.findall(text):
        span = re.search(r"(\d+)\s+(?:to|or)\s+(\d+)", detail)
        default = re.search(r"(\d+) when not set", meaning)
        values[name] = (kind, (int(span.group(1)), int(span.group(2))) if span else None,
                        default.group(1) if default else None)
    declared = re.findall(r'inline constexpr std::string_view kPolicy(?!Key)\w+\s*=\s*"([^"]+)"', text)
    for name in declared:
        check(name in values, "policy_table.h: %s has no REG_ type in the comment above it" % name)
    return key, values


def decimal_of(policy, tag):
    node = policy.find(NS + tag + "/" + NS + "decimal")
    return None if node is None else node.get("value")


def admx_values(admx, adml):
    """{value name: [(policy name, key, kind, detail)]} for every value the ADMX writes."""
    strings = {s.get("id") for s in adml.iter(NS + "string")}
    presentations = {p.get("id"): p for p in adml.iter(NS + "presentation")}
    for node in admx.iter():
        for attribute, reference in node.attrib.items():
            for kind, name in re.findall(r"\$\((string|presentation)\.([^)]*)\)", reference):
                known = strings if kind == "string" else presentations
                check(name in known, "quellix.admx names $(%s.%s), which quellix.adml does not define" % (kind, name))

    categories = {c.get("name") for c in admx.iter(NS + "category")}
    supported = {d.get("name") for d in admx.iter(NS + "definition")}
    target = admx.find(NS + "policyNamespaces/" + NS + "target")
    check(target is not None and target.get("namespace") == "Kelvane.Policies.Quellix",
          "quellix.admx: the target namespace is not Kelvane.Policies.Quellix")
    for root, name in ((admx, "quellix.admx"), (adml, "quellix.adml")):
        check(root.get("revision") == "1.0" and root.get("schemaVersion") == "1.0",
              "%s: revision and schemaVersion are not 1.0" % name)
    top = [c for c in admx.iter(NS + "category") if c.find(NS + "parentCategory") is None]
    check([c.get("name") for c in top] == ["Kelvane"], "quellix.admx: the one top category is not Kelvane")

    found = {}
    for policy in admx.iter(NS + "policy"):
        name = policy.get("name")
        check(policy.get("class") == "Both", "policy %s is not for both the computer and the user" % name)
        parent = policy.find(NS + "parentCategory")
        check(parent is not None and parent.get("ref") == "Quellix" and "Quellix" in categories,
              "policy %s is not in the Quellix category" % name)
        on = policy.find(NS + "supportedOn")
        check(on is not None and on.get("ref") in supported, "policy %s has no supportedOn definition" % name)
        if policy.get("valueName"):
            detail = (decimal_of(policy, "enabledValue"), decimal_of(policy, "disabledValue"))
            found.setdefault(policy.get("valueName"), []).append((name, policy.get("key"), "switch", detail))
        reference = re.fullmatch(r"\$\(presentation\.([^)]*)\)", policy.get("presentation") or "")
        shown = presentations.get(reference.group(1)) if reference else None
        boxes = {} if shown is None else {box.get("refId"): box for box in shown}
        elements = policy.find(NS + "elements")
        ids = set()
        for element in [] if elements is None else list(elements):
            ids.add(element.get("id"))
            kind = element.tag[len(NS):]
            box = boxes.get(element.get("id"))
            detail = (element.get("minValue"), element.get("maxValue"), element.get("expandable"),
                      None if box is None else box.get("defaultValue"))
            key = element.get("key") or policy.get("key")
            found.setdefault(element.get("valueName"), []).append((name, key, kind, detail))
        for box in boxes:
            check(box in ids, "presentation of policy %s shows %s, which the policy lacks" % (name, box))
        check(ids or policy.get("valueName"), "policy %s writes no value" % name)
    return found


def main(source):
    admx = parse(os.path.join(source, "res", "policies", "quellix.admx"))
    adml = parse(os.path.join(source, "res", "policies", "en-US", "quellix.adml"))
    key, values = program_values(os.path.join(source, "src", "settings", "policy_table.h"))
    check(key, "policy_table.h: no kPolicyKey")
    check(values, "policy_table.h: no policy values found")
    if admx is not None and adml is not None:
        for root, name in ((admx, "quellix.admx"), (adml, "quellix.adml")):
            check(root.tag.startswith(NS), "%s is not in the Group Policy namespace" % name)
        found = admx_values(admx, adml)
        for name, (kind, span, default) in sorted(values.items()):
            writers = found.get(name, [])
            if not check(len(writers) == 1, "the program reads %s, but %d policies write it" % (name, len(writers))):
                continue
            policy, policy_key, form, detail = writers[0]
            check((policy_key or "").lower() == (key or "").lower(),
                  "policy %s writes under %s, not under %s" % (policy, policy_key, key))
            if kind == "REG_DWORD" and span == (0, 1):
                check(form == "switch" and detail == ("1", "0"),
                      "policy %s is not a switch writing 1 when enabled and 0 when disabled" % policy)
            elif kind == "REG_DWORD":
                check(form == "decimal" and span is not None and detail[:2] == (str(span[0]), str(span[1])),
                      "policy %s is not a number box from %s to %s" % (policy, *(span or ("?", "?"))))
                check(default is None or detail[3] == default,
                      "policy %s's box does not start at %s, the program's value when not set" % (policy, default))
            elif kind == "REG_SZ":
                check(form == "text" and detail[2] != "true", "policy %s is not a REG_SZ text box" % policy)
            else:
                check(False, "policy_table.h: %s has the unknown type %s" % (name, kind))
        for name in sorted(set(found) - set(values)):
            check(False, "policy %s writes %s, which the program does not read" % (found[name][0][0], name))
    if failures:
        for f in failures:
            print("FAIL: " + f)
        return 1
    print("PASS: %d policy values, each with its policy" % len(values))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
