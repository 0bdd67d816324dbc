#!/usr/bin/env python3
"""The window read back through AT-SPI, as Orca reads it: the French names of
its controls, pictures and tabs; a zone of switch K pressed through its
action switches K, the schematic's description says so, and the help line's
new text is announced (a name change of the status bar). Every wait is a
bounded poll of the accessibility tree or of the events."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

POLLS = 300  # 0,1 s apart


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)  # the program is ended on the way out


def poll(condition, what):
    for _ in range(POLLS):
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    fail("no " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "ohmora":
            for frame in app:
                if frame is not None and frame.name.startswith("Ohmora"):
                    return frame
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, role, name):
    for node in descendants(root):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


events = []
pyatspi.Registry.registerEventListener(
    lambda e: events.append((e.source.getRoleName(), e.source.name)),
    "object:property-change:accessible-name")

program = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    frame = poll(application, "window named Ohmora in the accessibility tree")
    expected = [
        ("push button", "Ouvrir"), ("push button", "Enregistrer"), ("push button", "Copier"),
        ("push button", "Imprimer"), ("push button", "Calculatrice"), ("push button", "Aide"),
        ("push button", "Fermer"), ("image", "Schéma du montage"), ("chart", "Graphe"),
        ("push button", "Basculer K en position 1"), ("push button", "Basculer K en position 0"),
        ("push button", "Basculer K en position 2"), ("push button", "Effacer"),
        ("page tab list", "Onglets"), ("page tab", "Montage"), ("page tab", "Graphe"),
        ("page tab", "Enregistrement"),
        ("combo box", "Charge et décharge d'un condensateur à travers un conducteur ohmique"),
        ("text", "Générateur : U en V"), ("text", "Conducteur ohmique 1 : R1 en Ω"),
        ("status bar", "Vous pouvez modifier les paramètres, ouvrir une configuration ou un exercice"),
        ("push button", "Exercices"), ("text", "Fenêtre exercice"),
        ("push button", "Agrandir la fenêtre exercice"),
    ]
    poll(lambda: find(frame, "push button", "Agrandir la fenêtre exercice"), "complete tree")
    missing = [e for e in expected if find(frame, *e) is None]
    if missing:
        seen = sorted({(n.getRoleName(), n.name) for n in descendants(frame)})
        fail("missing %s among %s" % (missing, seen))

    schematic = find(frame, "image", "Schéma du montage")
    if not schematic.description.startswith("Montage : Charge et décharge d'un condensateur"):
        fail("schematic description: " + schematic.description)
    zone = find(schematic, "push button", "Basculer K en position 1")
    action = zone.queryAction()
    if action.getName(0) != "Press" or not action.doAction(0):
        fail("the zone of contact 1 cannot be pressed")
    poll(lambda: "Interrupteur K en position 1" in schematic.description,
         "switch K on contact 1 in the schematic's description")
    poll(lambda: ("status bar", "Utiliser la souris pour basculer l'interrupteur") in events,
         "announcement of the help line (events: %s)" % events)
    print("OK: %d names read back, K switched through AT-SPI, the help line announced"
          % len(expected))
finally:
    program.terminate()
    program.wait(timeout=30)
