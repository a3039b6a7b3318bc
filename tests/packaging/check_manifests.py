#!/usr/bin/python3
"""The winget and Scoop manifests beside the release files: each parses (YAML,
JSON), has every field its format requires with a value of the right form
(winget's 1.12.0 JSON schemas, Scoop's schema.json and its manifest tests),
names only files that are there, and every hash is the SHA-256 of that file.
Scoop's checkver finds this release's version in a link to its download, and
its autoupdate, given that version, names this release's files again.
Debian's python3-yaml parses the YAML: run with the system's Python.
Usage: check_manifests.py <release folder>"""
import hashlib
import json
import os
import re
import sys

import yaml

HTTP_URL = re.compile(r"^[Hh][Tt][Tt][Pp][Ss]?://.+$")
SHA256 = re.compile(r"^[A-Fa-f0-9]{64}$")
IDENTIFIER = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')
LOCALE = re.compile(r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$")
WINGET_SCHEMA = "1.12.0"  # what winget's community repository takes
WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"],
    "locale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "ManifestType", "ManifestVersion"],
}
SCOOP_KEYS = {  # schema.json's properties that this manifest may use; it allows no others
    "version", "description", "homepage", "license", "notes", "architecture", "bin", "shortcuts",
    "url", "hash", "extract_dir", "persist", "checkver", "autoupdate", "depends"}

failures = []


def check(what, ok):
    if not ok:
        failures.append(what)


def digest(folder, url):
    path = os.path.join(folder, url.rsplit("/", 1)[-1])
    if not os.path.isfile(path):
        failures.append(f"{url} names no file in {folder}")
        return None
    return hashlib.sha256(open(path, "rb").read()).hexdigest()


def check_winget(folder):
    root = os.path.join(folder, "winget")
    files = [os.path.join(d, f) for d, _, names in os.walk(root) for f in names]
    documents = {}
    for path in files:
        document = yaml.safe_load(open(path, encoding="utf-8"))
        kind = document.get("ManifestType")
        documents.setdefault(kind, []).append(document)
        name = os.path.basename(path)
        for field in WINGET_REQUIRED.get(kind, ["ManifestType"]):
            check(f"{name}: {field} missing", field in document)
        check(f"{name}: ManifestVersion not {WINGET_SCHEMA}", document.get("ManifestVersion") == WINGET_SCHEMA)
        check(f"{name}: its first line names no {WINGET_SCHEMA} schema", open(path, encoding="utf-8").readline() ==
              f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json\n")
        check(f"{name}: PackageIdentifier malformed", IDENTIFIER.match(str(document.get("PackageIdentifier"))))
        check(f"{name}: in the wrong folder", path.endswith(
            f"{document.get('PackageIdentifier')}/{document.get('PackageVersion')}/{name}"))
        if "PackageLocale" in document:
            check(f"{name}: PackageLocale malformed", LOCALE.match(document["PackageLocale"]))
            check(f"{name}: ShortDescription not 3 to 256 characters",
                  3 <= len(document.get("ShortDescription", "abc")) <= 256)
    check("winget: not one version, one installer and one default locale manifest",
          all(len(documents.get(kind, [])) == 1 for kind in ("version", "installer", "defaultLocale")))
    check("winget: no Bulgarian locale", any(d["PackageLocale"] == "bg-BG" for d in documents.get("locale", [])))
    versions = {(d.get("PackageIdentifier"), d.get("PackageVersion")) for ds in documents.values() for d in ds}
    check(f"winget: the manifests name different packages {versions}", len(versions) == 1)
    if documents.get("version") and documents.get("defaultLocale"):
        check("winget: DefaultLocale is not the default locale manifest's",
              documents["version"][0]["DefaultLocale"] == documents["defaultLocale"][0]["PackageLocale"])
    for installer in documents.get("installer", []):
        check("winget: InstallerType not nullsoft", installer.get("InstallerType") == "nullsoft")
        check("winget: Scope not user", installer.get("Scope") == "user")
        check("winget: InstallerSwitches repeat nullsoft's own /S",
              "/S" not in installer.get("InstallerSwitches", {}).values())
        check("winget: no ProductCode", installer.get("ProductCode"))
        architectures = sorted(i.get("Architecture") for i in installer["Installers"])
        check(f"winget: installers for {architectures}", architectures == ["x64", "x86"])
        for item in installer["Installers"]:
            url, sha = item.get("InstallerUrl", ""), item.get("InstallerSha256", "")
            check(f"winget: InstallerUrl {url!r} malformed", HTTP_URL.match(url))
            check(f"winget: InstallerSha256 of {url} malformed", SHA256.match(sha))
            check(f"winget: InstallerSha256 of {url} is not the file's", digest(folder, url) == sha.lower())


def check_scoop(folder):
    path = os.path.join(folder, "scoop", "adrelo-viewer.json")
    manifest = json.load(open(path, encoding="utf-8"))
    for field in ("version", "description", "homepage", "license"):
        check(f"scoop: {field} missing", isinstance(manifest.get(field), str) and manifest[field])
    check(f"scoop: keys outside the schema {set(manifest) - SCOOP_KEYS}", set(manifest) <= SCOOP_KEYS)
    check("scoop: version malformed", re.match(r"^[\w\-.+_]+$", manifest.get("version", "")))
    check("scoop: homepage malformed", HTTP_URL.match(manifest.get("homepage", "")))
    check("scoop: bin puts a window program that takes no arguments on the path", "bin" not in manifest)
    check("scoop: no shortcut", any(s[0] == "Adrelo.exe" for s in manifest.get("shortcuts", [])))
    check("scoop: persists something though the settings live in the registry", "persist" not in manifest)
    check("scoop: no note on where the settings live", "registry" in str(manifest.get("notes")))
    architectures = manifest.get("architecture", {})
    check(f"scoop: architectures {sorted(architectures)}", sorted(architectures) == ["32bit", "64bit"])
    for name, arch in architectures.items():
        check(f"scoop: {name} url malformed", HTTP_URL.match(arch.get("url", "")))
        check(f"scoop: {name} hash malformed", SHA256.match(arch.get("hash", "")))
        check(f"scoop: {name} hash is not the file's", digest(folder, arch.get("url", "")) == arch.get("hash"))
    check_scoop_updates(folder, manifest)


def check_scoop_updates(folder, manifest):
    """Scoop reads the version off the home page with checkver's regex (.NET's,
    which takes Python's escapes and \\1 alike), then puts it in place of
    $version in autoupdate's addresses."""
    version = manifest.get("version", "")
    checkver, autoupdate = manifest.get("checkver", {}), manifest.get("autoupdate", {})
    link = manifest.get("architecture", {}).get("64bit", {}).get("url", "")
    found = re.search(checkver.get("regex", "^$"), link)
    check(f"scoop: checkver finds no version in the link {link}", found and found.group(1) == version)
    check("scoop: checkver reads no page of the project", HTTP_URL.match(checkver.get("url", "")))
    for name, arch in manifest.get("architecture", {}).items():
        again = autoupdate.get("architecture", {}).get(name, {}).get("url", "").replace("$version", version)
        check(f"scoop: autoupdate makes {again!r} of this version, not {name}'s url", again == arch.get("url"))
    sums = autoupdate.get("hash", {}).get("url", "").replace("$version", version)
    check(f"scoop: autoupdate's hashes {sums!r} are not this release's SHA256SUMS",
          sums.endswith("/SHA256SUMS") and digest(folder, sums) is not None)


def main(folder):
    for line in open(os.path.join(folder, "SHA256SUMS"), encoding="ascii"):
        sha, name = line.split()
        check(f"SHA256SUMS: {name} is not that file's", digest(folder, name) == sha)
    check_winget(folder)
    check_scoop(folder)
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"manifests: {len(failures)} failure(s) in {folder}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]) if len(sys.argv) == 2 else __doc__)
