#!/usr/bin/env python3
"""Writes the winget manifest set (schema 1.12, the one winget's community
repository takes) and the Scoop manifest for the release files in a folder,
from their SHA256SUMS. The Scoop manifest's checkver and autoupdate are made
from release.conf's download pattern, so a bucket can bring it up to a new
version by itself.
Usage: manifests.py <release folder> <version> <source date epoch> <release.conf>
Output: <folder>/winget/<identifier>/<version>/*.yaml and <folder>/scoop/adrelo-viewer.json.
Every value is quoted, and the files are written in a fixed order, so the same
release gives the same bytes."""
import json
import os
import re
import sys
import time

IDENTIFIER = "Varnosk.AdreloViewer"
PUBLISHER = "Varnosk"
NAME = "Adrelo Viewer"
# The installer's uninstall key, under HKCU\...\Uninstall: what winget matches
# an installed copy by.
PRODUCT_CODE = "Adrelo Viewer"
SCHEMA = "1.12.0"
DESCRIPTIONS = {
    "en-US": (
        "Shows your computer's name and every IPv4 address it has, and copies either to the clipboard.",
        "Adrelo Viewer shows the computer's host name and every IPv4 address registered for it. "
        "A notification-area icon keeps the address in its tooltip, checked again every five seconds, "
        "so it stays right when you change networks or start a VPN. A right click copies the address "
        "or the name. It speaks English and Bulgarian.",
    ),
    "bg-BG": (
        "Показва името на компютъра и всеки негов IPv4 адрес и копира всяко от тях в клипборда.",
        "Adrelo Viewer показва името на компютъра и всеки IPv4 адрес, записан за него. Иконата в "
        "областта за известия показва адреса в подсказката си и го проверява на всеки пет секунди, "
        "така че той остава верен, когато смените мрежата или пуснете VPN. С десен бутон се копира "
        "адресът или името. Говори английски и български.",
    ),
}
ARCHITECTURES = (("x86", "32bit"), ("x64", "64bit"))
ZIP = "Adrelo-{version}-{arch}.zip"
SETUP = "Adrelo-{version}-setup-{arch}.exe"
# What Scoop's autoupdate puts the new version in place of.
SCOOP_VERSION = "$version"
VERSION_NUMBERS = r"([\d.]+)"


def read_conf(path):
    conf = {}
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if line and not line.startswith("#"):
            key, _, value = line.partition("=")
            conf[key.strip()] = value.strip()
    conf["release_url"] = conf["release_url"].replace("{home}", conf["home"])
    return conf


def url_of(conf, version, file):
    return conf["release_url"].replace("{version}", version).replace("{file}", file)


def version_in_link(conf, file):
    """The regex that finds the newest version on the home page: a link to FILE
    as the download pattern makes it, from the home page on (a link may or may
    not name the host), the version captured where it first appears and the
    same again wherever else it does."""
    link = url_of(conf, "{version}", file)
    if link.startswith(conf["home"]):
        link = link[len(conf["home"]):]
    first, *rest = (re.escape(part) for part in link.split("{version}"))
    return first + VERSION_NUMBERS + r"\1".join(rest)


def yaml_document(kind, fields):
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{SCHEMA}.schema.json", ""]

    def emit(value, indent, key=None):
        pad = "  " * indent
        head = f"{pad}{key}:" if key is not None else None
        if isinstance(value, dict):
            if head:
                lines.append(head)
            for k, v in value.items():
                emit(v, indent + (1 if head else 0), k)
        elif isinstance(value, list):
            lines.append(head)
            for item in value:
                first = True
                for k, v in item.items():
                    prefix = f"{pad}- " if first else f"{pad}  "
                    lines.append(f"{prefix}{k}: {json.dumps(v, ensure_ascii=False)}")
                    first = False
        else:
            lines.append(f"{head} {json.dumps(value, ensure_ascii=False)}")

    emit(fields, 0)
    return "\n".join(lines) + "\n"


def main(folder, version, epoch, conf_path):
    conf = read_conf(conf_path)
    sums = {}
    for line in open(os.path.join(folder, "SHA256SUMS"), encoding="ascii"):
        digest, name = line.split()
        sums[name] = digest
    url = lambda file: url_of(conf, version, file)
    release_date = time.strftime("%Y-%m-%d", time.gmtime(int(epoch)))

    base = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    installers = []
    for arch, _ in ARCHITECTURES:
        file = SETUP.format(version=version, arch=arch)
        installers.append({"Architecture": arch, "InstallerUrl": url(file),
                           "InstallerSha256": sums[file].upper()})
    documents = {
        f"{IDENTIFIER}.yaml": yaml_document("version", {
            **base, "DefaultLocale": "en-US", "ManifestType": "version", "ManifestVersion": SCHEMA}),
        f"{IDENTIFIER}.installer.yaml": yaml_document("installer", {
            **base, "InstallerType": "nullsoft", "Scope": "user",
            "UpgradeBehavior": "install", "ProductCode": PRODUCT_CODE, "ReleaseDate": release_date,
            "Installers": installers, "ManifestType": "installer", "ManifestVersion": SCHEMA}),
    }
    for locale, (short, long) in DESCRIPTIONS.items():
        kind = "defaultLocale" if locale == "en-US" else "locale"
        documents[f"{IDENTIFIER}.locale.{locale}.yaml"] = yaml_document(kind, {
            **base, "PackageLocale": locale, "Publisher": PUBLISHER, "PackageName": NAME,
            "PackageUrl": conf["home"], "License": "MIT", "ShortDescription": short,
            "Description": long, "ManifestType": kind, "ManifestVersion": SCHEMA})
    winget = os.path.join(folder, "winget", IDENTIFIER, version)
    os.makedirs(winget, exist_ok=True)
    for name, text in documents.items():
        with open(os.path.join(winget, name), "w", encoding="utf-8", newline="\n") as out:
            out.write(text)

    scoop = {
        "version": version,
        "description": DESCRIPTIONS["en-US"][0],
        "homepage": conf["home"],
        "license": "MIT",
        "notes": "Adrelo Viewer keeps its settings in the registry (HKCU\\Software\\Varnosk\\Adrelo), "
                 "not in its folder, so updates keep them and nothing needs to persist.",
        "architecture": {
            scoop_arch: {"url": url(ZIP.format(version=version, arch=arch)),
                         "hash": sums[ZIP.format(version=version, arch=arch)],
                         "extract_dir": NAME}
            for arch, scoop_arch in reversed(ARCHITECTURES)
        },
        # A window program that takes no arguments: a Start-menu shortcut, not
        # a command on the path.
        "shortcuts": [["Adrelo.exe", NAME]],
        "checkver": {"url": conf["home"],
                     "regex": version_in_link(conf, ZIP.format(version="{version}", arch="x64"))},
        "autoupdate": {
            "architecture": {
                scoop_arch: {"url": url_of(conf, SCOOP_VERSION, ZIP.format(version=SCOOP_VERSION, arch=arch))}
                for arch, scoop_arch in reversed(ARCHITECTURES)
            },
            "hash": {"url": url_of(conf, SCOOP_VERSION, "SHA256SUMS")},
        },
    }
    os.makedirs(os.path.join(folder, "scoop"), exist_ok=True)
    with open(os.path.join(folder, "scoop", "adrelo-viewer.json"), "w", encoding="utf-8", newline="\n") as out:
        out.write(json.dumps(scoop, indent=4, ensure_ascii=False) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
