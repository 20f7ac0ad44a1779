<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>kovrane::CommandLine</name>
    <message>
        <source>Kovrane: a desktop stopwatch that counts up in whole seconds.

Usage: kovrane [--help | --version]

  --help     print this help and exit
  --version  print the version and exit

Any other argument is ignored. START counts up from the time shown and STOP
pauses it; Space acts as a click on whichever button is shown.

Exit status: 0 when the window is closed, and after --help or --version;
1 when no window can be opened or a run-time error was shown.
</source>
        <translation>Kovrane&#xa0;: un chronomètre de bureau qui compte en secondes entières.

Utilisation&#xa0;: kovrane [--help | --version]

  --help     afficher cette aide et quitter
  --version  afficher la version et quitter

Tout autre argument est ignoré. START compte à partir du temps affiché et
STOP le met en pause&#x202f;; la touche Espace actionne celui des deux boutons
qui est affiché.

Code de sortie&#xa0;: 0 à la fermeture de la fenêtre et après --help ou
--version&#x202f;; 1 si aucune fenêtre ne peut être ouverte ou si une erreur
d’exécution a été affichée.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Les développeurs de Kovrane
Licence MIT&#xa0;: utilisation, modification et partage libres&#x202f;; aucune garantie.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Erreur de virgule flottante</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Échec de l’opération sur le contrôle</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Erreur d’exécution «&#xa0;%1&#xa0;»&#xa0;:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Temps écoulé</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Chronométrage en cours</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane&#xa0;: impossible d’ouvrir une fenêtre&#xa0;: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>aucun affichage trouvé (les variables DISPLAY et WAYLAND_DISPLAY ne sont pas définies)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>aucun affichage trouvé (les variables DISPLAY et WAYLAND_DISPLAY ne sont pas définies, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>impossible de se connecter à l’affichage (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane&#xa0;: lancez-le avec QT_DEBUG_PLUGINS=1 pour voir les explications de Qt lui-même</translation>
    </message>
</context>
</TS>
