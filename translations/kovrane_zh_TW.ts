<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
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
        <translation>Kovrane：以整秒計時的桌面碼錶。

用法：kovrane [--help | --version]

  --help     顯示此說明並離開
  --version  顯示版本資訊並離開

其他引數將被忽略。START 會從顯示的時間繼續計時，STOP 則暫停計時；
按空白鍵等同於按下目前顯示的按鈕。

結束狀態：關閉視窗時以及 --help、--version 之後為 0；
無法開啟視窗或顯示了執行階段錯誤時為 1。
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Kovrane 開發者
MIT 授權條款：可自由使用、修改與分享；不提供任何擔保。
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>發生溢位。</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>浮點運算發生錯誤。</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>控制項操作失敗。</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>執行階段錯誤「%1」：

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>經過時間</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>計時中</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane：無法開啟視窗：%1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>找不到顯示器（未設定 DISPLAY 與 WAYLAND_DISPLAY）</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>找不到顯示器（未設定 DISPLAY 與 WAYLAND_DISPLAY，QT_QPA_PLATFORM=%1）</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>無法連線至顯示器（%1）</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane：以 QT_DEBUG_PLUGINS=1 執行即可查看 Qt 本身的詳細說明</translation>
    </message>
</context>
</TS>
