<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
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
        <translation>Kovrane: 1 秒単位で時間を計るデスクトップ用ストップウォッチです。

使い方: kovrane [--help | --version]

  --help     このヘルプを表示して終了します
  --version  バージョンを表示して終了します

ほかの引数は無視します。START を押すと表示中の時間から計測を続け、
STOP で一時停止します。Space キーで、表示中のボタンを押せます。

終了ステータス: ウィンドウを閉じたときと --help、--version のあとは 0、
ウィンドウを開けなかったときと実行時エラーを表示したときは 1 です。
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Kovrane 開発者
MIT ライセンス: 自由に使用、改変、再配布できます。無保証です。
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>オーバーフローしました。</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>浮動小数点演算でエラーが発生しました。</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>コントロールの操作に失敗しました。</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>実行時エラー &apos;%1&apos;:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>経過時間</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>計測中</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: ウィンドウを開けません: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>ディスプレイが見つかりません (DISPLAY と WAYLAND_DISPLAY が未設定です)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>ディスプレイが見つかりません (DISPLAY と WAYLAND_DISPLAY が未設定、QT_QPA_PLATFORM=%1 です)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>ディスプレイに接続できませんでした (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: Qt 自身の詳しい説明は、QT_DEBUG_PLUGINS=1 を付けて実行すると表示されます</translation>
    </message>
</context>
</TS>
