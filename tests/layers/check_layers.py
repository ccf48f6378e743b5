#!/usr/bin/env python3
"""Fails when an #include in src/ goes against the direction of the layers.

Layers, lowest first: the Qt-Widgets-free cores (text, zip, then catalog and
mockexam, then attempts and usermaterial), the UI kit (src/app without the
application's own files), one UI library per feature, and the application.
A file's layer comes from the library its folder's CMakeLists.txt puts it in:
sources listed in a zelvora_<feature>_ui library are UI, the rest of a feature
folder is core. Usage: check_layers.py <source root> (the folder holding src/).
"""
import re
import sys
from pathlib import Path

CORE_RANK = {"text": 0, "zip": 1, "catalog": 2, "mockexam": 2, "attempts": 3, "usermaterial": 3, "examrun": 4}
# The exam run sits in src/mockexam above the attempts core it drives.
RUN_FILES = {"ExamRun", "PaperBundle"}
# src/app files that are the application, not the kit; and the kit's
# widget-free part (folder computation) that cores may use.
APP_FILES = {"ZelvoraApplication", "WindowWiring", "main"}
APP_CORE_FILES = {"DataFolders", "InfoOptions", "SkinReader"}
WIDGET_HEADERS = re.compile(r"^Q(Widget|Dialog|MainWindow|PushButton|Label|ComboBox|LineEdit|MessageBox|"
                            r"Application|AbstractItemView|TableView|Frame|GroupBox|RadioButton|CheckBox|"
                            r"ScrollArea|Shortcut|Menu|Action|FileDialog|Layout|BoxLayout|Pdf\w*View|tWidgets.*)\b")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def ui_files(src: Path):
    """Stem of every file a zelvora_*_ui library lists, per folder."""
    out = {}
    for cml in src.glob("*/CMakeLists.txt"):
        text = cml.read_text()
        stems = set()
        for m in re.finditer(r"add_library\(zelvora_\w+_ui\b([^)]*)\)", text):
            stems |= {Path(f).stem for f in re.findall(r"[\w/@.-]+\.(?:cpp|h)", m.group(1))}
        out[cml.parent.name] = stems
    return out


def layer_of(folder, stem, uis):
    """('core', folder) / ('kit', None) / ('ui', folder) / ('app', None)."""
    if folder == "app":
        if stem in APP_FILES:
            return ("app", None)
        if stem in APP_CORE_FILES:
            return ("appcore", None)
        return ("kit", None)
    if folder == "mockexam" and stem in RUN_FILES:
        return ("core", "examrun")
    if folder in CORE_RANK:
        return ("ui", folder) if stem in uis.get(folder, set()) else ("core", folder)
    return ("other", folder)


def allowed(src_layer, dst_layer):
    kind, folder = src_layer
    dkind, dfolder = dst_layer
    if kind == "app":
        return True
    if dkind == "app":
        return False
    if kind == "ui":
        # Its own folder, any core, the kit; never another feature's UI.
        return dkind in ("core", "kit", "appcore") or (dkind == "ui" and dfolder == folder)
    if kind == "kit":
        return dkind in ("kit", "appcore") or (dkind == "core" and dfolder == "text")
    if kind == "appcore":
        return dkind == "appcore" or (dkind == "core" and dfolder == "text")
    if kind == "core":
        if dkind == "appcore":
            return True
        if dkind != "core":
            return False
        if folder == "mockexam" and dfolder == "examrun":
            return False
        return dfolder == folder or CORE_RANK[dfolder] < CORE_RANK[folder]
    return True


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    src = root / "src"
    uis = ui_files(src)
    faults = []
    for path in sorted(src.glob("*/*.[ch]*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        me = layer_of(path.parent.name, path.stem, uis)
        for quote, name in INCLUDE.findall(path.read_text(errors="replace")):
            if quote == "<":
                if me[0] in ("core", "appcore") and WIDGET_HEADERS.match(name):
                    faults.append(f"{path.relative_to(root)}: a core includes the widget header <{name}>")
                continue
            parts = name.split("/")
            if len(parts) != 2:
                continue
            other = layer_of(parts[0], Path(parts[1]).stem, uis)
            if other[0] == "other":
                continue
            if not allowed(me, other):
                faults.append(f"{path.relative_to(root)} ({me[0]} {me[1] or ''}) includes \"{name}\" "
                              f"({other[0]} {other[1] or ''})")
    for f in faults:
        print(f)
    print(f"{len(faults)} include(s) against the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
