#!/usr/bin/env python3
"""Writes the three winget manifests of one version, in the layout of the community
repository: the per-user installer for scope "user" and the MSI for scope "machine", each
with its checksum, and the MSI with the product and upgrade codes it carries.

Usage: winget_manifests.py VERSION DOWNLOAD_URL SETUP_EXE MSI OUT_DIR
(OUT_DIR receives manifests/k/Kelvane/Quellix/VERSION/*.yaml)
"""
import hashlib
import os
import subprocess
import sys

PACKAGE = "Kelvane.Quellix"
MANIFEST_VERSION = "1.6.0"
SCHEMA = "https://aka.ms/winget-manifest.%s.%s.schema.json"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest().upper()


def msi_properties(path):
    """The MSI's Property table as a dict, read with msiinfo (msitools)."""
    try:
        out = subprocess.run(["msiinfo", "export", path, "Property"], check=True,
                             capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        sys.exit("FAILED: cannot read the Property table of %s with msiinfo (msitools): %s" % (path, e))
    props = {}
    for line in out.replace("\r", "").splitlines():
        name, sep, value = line.partition("\t")
        if sep:
            props[name] = value
    return props


def installers(version, download, setup_path, msi_path):
    """The installer entries as (key, value) lists, the order they are written in."""
    props = msi_properties(msi_path)
    for name in ("ProductCode", "UpgradeCode", "ProductVersion"):
        if not props.get(name):
            sys.exit("FAILED: %s has no %s" % (msi_path, name))
    if props["ProductVersion"] != version:
        sys.exit("FAILED: %s is version %s, not %s" % (msi_path, props["ProductVersion"], version))
    arp = {"DisplayName": "Quellix", "Publisher": "Kelvane", "DisplayVersion": version}
    return [
        {"Architecture": "x64", "InstallerType": "nullsoft", "Scope": "user",
         "InstallerUrl": "%s/%s" % (download, os.path.basename(setup_path)),
         "InstallerSha256": sha256(setup_path),
         "InstallModes": ["interactive", "silent", "silentWithProgress"],
         "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
         "ProductCode": "Quellix",
         "AppsAndFeaturesEntries": [dict(arp, ProductCode="Quellix")]},
        {"Architecture": "x64", "InstallerType": "wix", "Scope": "machine",
         "InstallerUrl": "%s/%s" % (download, os.path.basename(msi_path)),
         "InstallerSha256": sha256(msi_path),
         "ProductCode": props["ProductCode"],
         "AppsAndFeaturesEntries": [dict(arp, ProductCode=props["ProductCode"],
                                         UpgradeCode=props["UpgradeCode"])]},
    ]


def scalar(value):
    """A YAML scalar: quoted unless it is plain text that YAML reads back as the same string."""
    text = str(value)
    plain = text[:1].isalpha() and all(c.isalnum() or c in "./:-_ " for c in text) \
        and ": " not in text and not text.endswith((":", " ")) \
        and text.lower() not in ("yes", "no", "true", "false", "on", "off", "null", "y", "n")
    return text if plain else '"%s"' % text.replace("\\", "\\\\").replace('"', '\\"')


def emit(value, indent):
    """Lines of YAML for a dict or a list of dicts and scalars, block style."""
    pad = " " * indent
    lines = []
    if isinstance(value, dict):
        for key, item in value.items():
            if isinstance(item, (dict, list)):
                lines.append("%s%s:" % (pad, key))
                lines += emit(item, indent + 2)
            else:
                lines.append("%s%s: %s" % (pad, key, scalar(item)))
    else:
        for item in value:
            if isinstance(item, dict):
                inner = emit(item, indent + 2)
                lines.append(pad + "- " + inner[0][indent + 2:])
                lines += inner[1:]
            else:
                lines.append("%s- %s" % (pad, scalar(item)))
    return lines


def document(kind, fields):
    head = "# yaml-language-server: $schema=" + SCHEMA % (kind, MANIFEST_VERSION)
    return "\n".join([head] + emit(fields, 0)) + "\n"


def manifests(version, download, setup_path, msi_path):
    """File name -> text of the version, installer and default-locale manifests."""
    ident = {"PackageIdentifier": PACKAGE, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}
    return {
        PACKAGE + ".yaml": document("version", dict(
            ident, DefaultLocale="en-US", ManifestType="version", **tail)),
        PACKAGE + ".installer.yaml": document("installer", dict(
            ident, InstallerLocale="en-US", UpgradeBehavior="install", MinimumOSVersion="10.0.0.0",
            Installers=installers(version, download, setup_path, msi_path),
            ManifestType="installer", **tail)),
        PACKAGE + ".locale.en-US.yaml": document("defaultLocale", dict(
            ident, PackageLocale="en-US", Publisher="Kelvane",
            PublisherUrl="https://www.kelvane.example/",
            PublisherSupportUrl="https://www.kelvane.example/support",
            PackageName="Quellix", PackageUrl="https://www.kelvane.example/products/quellix",
            License="Proprietary",
            ShortDescription="Closes unwanted pop-up browser windows by their title.",
            Description="Quellix sits in the notification area and closes (burns) the browser "
                        "windows whose title contains an entry of your block list. It counts and "
                        "logs every burn, can play a sound, and starts with Windows if you like. "
                        "The user scope installs for the current user without administrator "
                        "rights; the machine scope installs the MSI for every user of the PC.",
            Moniker="quellix", Tags=["popup", "popup-blocker", "browser", "tray"],
            ManifestType="defaultLocale", **tail)),
    }


def main(version, download, setup_path, msi_path, out_dir):
    folder = os.path.join(out_dir, "manifests", "k", "Kelvane", "Quellix", version)
    os.makedirs(folder, exist_ok=True)
    for name, text in manifests(version, download, setup_path, msi_path).items():
        with open(os.path.join(folder, name), "w", newline="\n") as f:
            f.write(text)
    return folder


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit("usage: winget_manifests.py VERSION DOWNLOAD_URL SETUP_EXE MSI OUT_DIR")
    main(*sys.argv[1:])
