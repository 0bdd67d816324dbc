"""Exercice RC 9 d'Ohmora : la charge d'un condensateur par la méthode d'Euler.

Lit l'enregistrement exporté par Ohmora (bouton Copier, « Exporter les
mesures (CSV)… »), intègre l'équation différentielle de la charge

    tau * du/dt + u = U

par la méthode d'Euler, aux dates de l'enregistrement, et affiche le plus
grand écart entre les deux.

Utilisation :
    python3 rc-09-euler.py FICHIER.csv [SUBDIVISIONS]

SUBDIVISIONS (1 par défaut) partage chaque pas de l'enregistrement en autant
de pas d'Euler. Les valeurs du circuit sont celles de l'exercice : modifiez
les trois lignes ci-dessous pour un autre circuit.
"""

import csv
import sys

import numpy as np

U = 6.0  # tension du générateur (V)
R1 = 1000.0  # résistance (ohms)
C = 100e-6  # capacité (F)


def nombre(texte):
    """Un nombre écrit à la française (virgule) ou à l'anglaise (point)."""
    return float(texte.replace(",", "."))


def lire(chemin):
    """Les dates et les valeurs de u_C de l'enregistrement."""
    with open(chemin, encoding="utf-8-sig", newline="") as fichier:
        premiere = fichier.readline()
        separateur = ";" if ";" in premiere else ","
        fichier.seek(0)
        lignes = list(csv.reader(fichier, delimiter=separateur))
    entete = [colonne.strip() for colonne in lignes[0]]
    if "t (s)" not in entete or "u_C (V)" not in entete:
        raise ValueError("il faut les colonnes « t (s) » et « u_C (V) »")
    it, iu = entete.index("t (s)"), entete.index("u_C (V)")
    donnees = np.array([[nombre(l[it]), nombre(l[iu])] for l in lignes[1:] if l])
    return donnees[:, 0], donnees[:, 1]


def euler(t, u0, tau, subdivisions):
    """u_C par la méthode d'Euler aux dates t, chaque pas partagé en
    `subdivisions` pas égaux."""
    u = np.empty_like(t)
    u[0] = u0
    for n in range(len(t) - 1):
        h = (t[n + 1] - t[n]) / subdivisions
        v = u[n]
        for _ in range(subdivisions):
            v = v + h * (U - v) / tau
        u[n + 1] = v
    return u


def francais(x, chiffres=3):
    """x avec `chiffres` chiffres significatifs et une virgule décimale."""
    return f"{x:.{chiffres}g}".replace(".", ",")


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        return 2
    subdivisions = int(sys.argv[2]) if len(sys.argv) == 3 else 1
    try:
        t, mesure = lire(sys.argv[1])
    except (OSError, ValueError, IndexError) as erreur:
        print(f"Impossible de lire {sys.argv[1]}\u00a0: {erreur}", file=sys.stderr)
        return 1
    tau = R1 * C
    calcul = euler(t, mesure[0], tau, subdivisions)
    ecart = np.abs(calcul - mesure)
    n = int(np.argmax(ecart))
    h = (t[1] - t[0]) / subdivisions
    print(f"Constante de temps\u00a0: {francais(tau * 1000)} ms")
    print(f"Pas d'Euler\u00a0: {francais(h * 1000)} ms")
    print(f"Écart maximal entre Euler et l'enregistrement\u00a0: {francais(ecart[n])} V "
          f"à t = {francais(t[n] * 1000)} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
