<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="en">
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
        <translation>Kovrane — стільничний секундомір, що відлічує час цілими секундами.

Використання: kovrane [--help | --version]

  --help     показати цю довідку й вийти
  --version  показати версію й вийти

Інші аргументи ігноруються. START продовжує відлік від показаного часу,
STOP призупиняє його; клавіша «Пробіл» діє як натискання видимої кнопки.

Код завершення: 0 після закриття вікна, а також після --help або --version;
1, якщо не вдалося відкрити вікно або було показано помилку виконання.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Розробники Kovrane
Ліцензія MIT: вільне використання, зміна й поширення; без гарантій.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Переповнення</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Помилка обчислень з рухомою комою</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Збій операції з елементом керування</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Помилка виконання «%1»:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Час, що минув</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Триває відлік</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: не вдається відкрити вікно: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>дисплей не знайдено (змінні DISPLAY і WAYLAND_DISPLAY не встановлено)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>дисплей не знайдено (змінні DISPLAY і WAYLAND_DISPLAY не встановлено, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>не вдалося під’єднатися до дисплея (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: щоб побачити пояснення самого Qt, запустіть програму з QT_DEBUG_PLUGINS=1</translation>
    </message>
</context>
</TS>
