#!/usr/bin/env python3
"""Checks what the Windows build ships beside quellix.exe, without Wine: the burn sound is
short, small, valid PCM and the one its script makes; the help file holds every topic a
user needs and no broken link; the icon has all its sizes; quellix.exe carries the icon,
the manifest and the version resource; the administrative templates' zip holds the templates;
the winget manifests offer both installers with their checksums and the MSI's product code.

Usage: package_files.py SOURCE_DIR BUILD_DIR   (prints PASS, or FAIL: lines and exits 1)
"""
import glob
import hashlib
import importlib.util
import io
import os
import re
import struct
import subprocess
import sys
import tempfile
import uuid
import wave
import xml.etree.ElementTree as ET
import zipfile

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def load_module(path):
    loader_spec = importlib.util.spec_from_file_location(os.path.basename(path)[:-3], path)
    module = importlib.util.module_from_spec(loader_spec)
    loader_spec.loader.exec_module(module)
    return module


# --- the burn sound ---------------------------------------------------------------------

def riff_chunks(data):
    chunks = {}
    pos = 12
    while pos + 8 <= len(data):
        cid, size = struct.unpack_from("<4sI", data, pos)
        chunks[cid] = data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    return chunks


def samples(data):
    with wave.open(io.BytesIO(data)) as w:
        frames = w.readframes(w.getnframes())
    return struct.unpack("<%dh" % (len(frames) // 2), frames)


def check_sound(source, build):
    path = os.path.join(source, "res", "wav", "7.wav")
    data = open(path, "rb").read()
    check(data[:4] == b"RIFF" and data[8:12] == b"WAVE", "7.wav is not a RIFF WAVE file")
    chunks = riff_chunks(data)
    fmt = chunks.get(b"fmt ", b"")
    if not check(len(fmt) >= 16, "7.wav has no fmt chunk"):
        return
    tag, channels, rate, _, align, bits = struct.unpack_from("<HHIIHH", fmt)
    check(tag == 1, "7.wav is not PCM (format tag %d)" % tag)
    check(bits == 16 and channels in (1, 2) and align == channels * 2, "7.wav is not 16-bit mono or stereo")
    with wave.open(path) as w:
        seconds = w.getnframes() / w.getframerate()
    check(0.1 < seconds < 1.0, "7.wav lasts %.2f s, not under one second" % seconds)
    check(len(data) < 50 * 1024, "7.wav has %d bytes, not under 50 KB" % len(data))
    values = samples(data)
    peak = max(abs(v) for v in values)
    check(0.2 * 32767 < peak < 0.95 * 32767, "7.wav peaks at %d: too quiet or clipped" % peak)
    check(abs(values[0]) < 0.02 * 32767 and abs(values[-1]) < 0.02 * 32767, "7.wav starts or ends with a click")
    # The committed file is what its script makes (within one step of rounding).
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, "7.wav")
        load_module(os.path.join(source, "res", "make_sound.py")).main(fresh)
        again = samples(open(fresh, "rb").read())
    check(len(again) == len(values) and all(abs(a - b) <= 1 for a, b in zip(again, values)),
          "res/wav/7.wav is not what res/make_sound.py writes")
    shipped = os.path.join(build, "wav", "7.wav")
    check(os.path.isfile(shipped) and open(shipped, "rb").read() == data, "the build has no wav/7.wav beside quellix.exe")


# --- the help file ----------------------------------------------------------------------

TOPICS = [  # what a user looks for: a word of the topic's title in the contents
    "burns", "block list", "open windows", "importing and exporting", "tray icon", "options",
    "sound", "log", "starting with windows", "files and settings", "troubleshooting", "administrators",
]


def chmls(*args):
    return subprocess.run(["chmls", "-p", *args], capture_output=True, text=True, errors="replace").stdout


def check_help(source, build):
    chm = os.path.join(build, "Quellix.chm")
    if not check(os.path.isfile(chm), "the build has no Quellix.chm beside quellix.exe"):
        return
    hhp = open(os.path.join(source, "res", "help", "Quellix.hhp")).read()
    sources = [line.strip() for line in hhp.split("[FILES]")[1].splitlines() if line.strip()]
    listed = {line.strip().lstrip("/").lower() for line in chmls("-n", "list", chm).splitlines()}
    for name in sources:
        check(name.lower() in listed, "Quellix.chm lacks %s" % name)
    with tempfile.TemporaryDirectory() as tmp:
        toc_path = os.path.join(tmp, "toc.hhc")
        chmls("extracttoc", chm, toc_path)
        toc = open(toc_path, errors="replace").read() if os.path.isfile(toc_path) else ""
        titles = [t.lower() for t in re.findall(r'<param name="Name" value="([^"]*)"', toc, re.I)]
        for topic in TOPICS:
            check(any(topic in t for t in titles), "the help contents have no topic on '%s'" % topic)
        page = os.path.join(tmp, "troubleshooting.html")
        chmls("extract", chm, "/troubleshooting.html", page)
        text = open(page, errors="replace").read() if os.path.isfile(page) else ""
        for problem in ("My own browser window was closed", "Nothing is burned"):
            check(problem in text, "the troubleshooting page does not answer '%s'" % problem)
    # Every link between pages leads to a page of the file.
    for name in sources:
        if not name.endswith(".html"):
            continue
        html = open(os.path.join(source, "res", "help", name), errors="replace").read()
        for target in re.findall(r'href="([^"#:]+)', html):
            check(target in sources, "%s links to %s, which the help file does not hold" % (name, target))


# --- the icon and the program file ------------------------------------------------------

def icon_sizes(data, entry_size, count_at=4):
    count = struct.unpack_from("<H", data, count_at)[0]
    return sorted((data[6 + i * entry_size] or 256) for i in range(count))


def check_icon(source):
    path = os.path.join(source, "res", "icons", "app.ico")
    data = open(path, "rb").read()
    check(icon_sizes(data, 16) == [16, 32, 48, 256], "app.ico lacks one of the sizes 16, 32, 48, 256")
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, "app.ico")
        load_module(os.path.join(source, "res", "make_icon.py")).main(fresh)
        check(open(fresh, "rb").read() == data, "res/icons/app.ico is not what res/make_icon.py writes")
        load_module(os.path.join(source, "res", "make_installer_pictures.py")).main(tmp)
        for name, size in (("welcome.bmp", (164, 314)), ("header.bmp", (150, 57))):
            committed = open(os.path.join(source, "res", "installer", name), "rb").read()
            check(committed[:2] == b"BM" and struct.unpack_from("<ii", committed, 18) == size,
                  "res/installer/%s is not a %d x %d bitmap" % (name, *size))
            check(open(os.path.join(tmp, name), "rb").read() == committed,
                  "res/installer/%s is not what res/make_installer_pictures.py writes" % name)


def pe_resources(data):
    """{(type, name): bytes} of the first language of each resource, names in file order."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, opt_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    directories = opt + (112 if struct.unpack_from("<H", data, opt)[0] == 0x20B else 96)
    rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = [struct.unpack_from("<IIII", data, opt + opt_size + 40 * i + 8) for i in range(sections)]

    def offset(r):
        for vsize, va, rsize, raw in table:
            if va <= r < va + max(vsize, rsize):
                return r - va + raw
        raise ValueError("address outside the sections")

    base = offset(rva)

    def entries(at):
        named, numbered = struct.unpack_from("<HH", data, at + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, at + 16 + 8 * i)
            if name & 0x80000000:
                s = base + (name & 0x7FFFFFFF)
                name = data[s + 2:s + 2 + 2 * struct.unpack_from("<H", data, s)[0]].decode("utf-16le")
            yield name, target

    found = []
    for kind, to_names in entries(base):
        for name, to_langs in entries(base + (to_names & 0x7FFFFFFF)):
            _, leaf = next(entries(base + (to_langs & 0x7FFFFFFF)))
            data_rva, size = struct.unpack_from("<II", data, base + leaf)
            found.append(((kind, name), data[offset(data_rva):offset(data_rva) + size]))
    return found


def check_program(build):
    path = os.path.join(build, "quellix.exe")
    if not check(os.path.isfile(path), "the build has no quellix.exe"):
        return
    resources = pe_resources(open(path, "rb").read())
    groups = [(name, body) for (kind, name), body in resources if kind == 14]
    # Windows shows the first icon group of a program file as its icon.
    if check(groups, "quellix.exe has no icon"):
        name, body = groups[0]
        check(name == "APPICON", "the first icon of quellix.exe is %s, not the program icon" % name)
        check(icon_sizes(body, 14) == [16, 32, 48, 256], "the program icon lacks one of the sizes 16, 32, 48, 256")
    manifests = [body for (kind, _), body in resources if kind == 24]
    if check(len(manifests) == 1, "quellix.exe carries %d manifests, not one" % len(manifests)):
        text = manifests[0].decode("utf-8")
        ET.fromstring(text)  # well-formed, or the program would not start at all
        for needed in ('level="asInvoker"', "PerMonitorV2", 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                       "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"):
            check(needed in text, "the manifest lacks %s" % needed)
    versions = [body for (kind, _), body in resources if kind == 16]
    if check(versions, "quellix.exe has no version resource"):
        text = versions[0].decode("utf-16le", errors="replace")
        for key, value in (("ProductName", "Quellix"), ("ProductVersion", "1.00"), ("FileVersion", "1.00"),
                           ("CompanyName", "Kelvane"), ("FileDescription", "Quellix - ")):
            check(re.search(key + "\x00+" + re.escape(value), text), "the version resource lacks %s %s" % (key, value))


# --- the administrative templates' zip ---------------------------------------------------

def check_policies_zip(source):
    """The zip package.sh writes holds the two templates as they are in res/policies, laid
    out for a PolicyDefinitions folder, and nothing else."""
    expected = {"quellix.admx": os.path.join(source, "res", "policies", "quellix.admx"),
                "en-US/quellix.adml": os.path.join(source, "res", "policies", "en-US", "quellix.adml")}
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, "policies.zip")
        load_module(os.path.join(source, "scripts", "policies_zip.py")).main(source, fresh, 0)
        made = glob.glob(os.path.join(source, "dist", "quellix-*-policies.zip"))
        for path in [fresh] + made:
            name = os.path.basename(path) if path in made else "the policies zip"
            with zipfile.ZipFile(path) as z:
                check(z.testzip() is None, "%s is damaged" % name)
                check(sorted(z.namelist()) == sorted(expected),
                      "%s holds %s, not quellix.admx and en-US/quellix.adml" % (name, sorted(z.namelist())))
                for entry, original in expected.items():
                    if entry in z.namelist():
                        check(z.read(entry) == open(original, "rb").read(),
                              "%s: %s is not res/policies' copy" % (name, entry))


# --- the winget manifests -----------------------------------------------------------------

def check_winget(source, build):
    """Both installers are offered, each for its scope, with the checksum of the file and, for
    the MSI, the product code every build of this version carries (named from the upgrade
    code, as the build names it) and the upgrade code itself."""
    setup, msi = os.path.join(build, "quellix-setup.exe"), os.path.join(build, "quellix.msi")
    if not (os.path.isfile(setup) and os.path.isfile(msi)):
        return  # without makensis and wixl no installer is built, and the installer tests say so
    version = re.search(r'kVersion = "([0-9.]+)"',
                        open(os.path.join(source, "src", "product", "product.h")).read()).group(1)
    upgrade = "05D1BBDD-7486-4D40-8AB9-1BD76AF5823D"
    product = "{%s}" % str(uuid.uuid5(uuid.UUID(upgrade), "Quellix " + version)).upper()
    sums = {path: hashlib.sha256(open(path, "rb").read()).hexdigest().upper() for path in (setup, msi)}
    module = load_module(os.path.join(source, "scripts", "winget_manifests.py"))
    entries = module.installers(version, "https://example.test/d", setup, msi)
    by_scope = {e.get("Scope"): e for e in entries}
    check(sorted(by_scope) == ["machine", "user"], "winget: installers for scopes %s" % sorted(by_scope))
    user, machine = by_scope.get("user", {}), by_scope.get("machine", {})
    check(user.get("InstallerType") == "nullsoft" and user.get("InstallerSha256") == sums[setup],
          "winget: the user-scope entry is not the per-user installer with its checksum")
    check(user.get("InstallerSwitches", {}).get("Silent") == "/S", "winget: the per-user installer's silent switch")
    check(machine.get("InstallerType") == "wix" and machine.get("InstallerSha256") == sums[msi],
          "winget: the machine-scope entry is not the MSI with its checksum")
    check(machine.get("InstallerUrl") == "https://example.test/d/quellix.msi", "winget: the MSI's address")
    check(machine.get("ProductCode") == product, "winget: the MSI's product code is %s, not %s"
          % (machine.get("ProductCode"), product))
    arp = (machine.get("AppsAndFeaturesEntries") or [{}])[0]
    check(arp.get("ProductCode") == product and arp.get("UpgradeCode") == "{%s}" % upgrade
          and arp.get("DisplayVersion") == version, "winget: the MSI's Apps & features entry is %s" % arp)
    with tempfile.TemporaryDirectory() as tmp:
        folder = module.main(version, "https://example.test/d", setup, msi, tmp)
        names = sorted(os.listdir(folder))
        check(names == ["Kelvane.Quellix.installer.yaml", "Kelvane.Quellix.locale.en-US.yaml",
                        "Kelvane.Quellix.yaml"], "winget: the manifests written are %s" % names)
        try:
            import yaml
        except ImportError:
            return  # the text is checked where PyYAML is installed
        for name in names:
            data = yaml.safe_load(open(os.path.join(folder, name)))
            check(data.get("PackageIdentifier") == "Kelvane.Quellix" and data.get("PackageVersion") == version,
                  "winget: %s does not read back as version %s of the package" % (name, version))
            if name.endswith(".installer.yaml"):
                check(data.get("Installers") == entries, "winget: the installer manifest does not read back "
                      "as the entries it was written from")


def main(source, build):
    check_sound(source, build)
    check_help(source, build)
    check_icon(source)
    check_program(build)
    check_policies_zip(source)
    check_winget(source, build)
    for f in failures:
        print("FAIL: " + f)
    if failures:
        sys.exit(1)
    print("PASS")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: package_files.py SOURCE_DIR BUILD_DIR")
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
