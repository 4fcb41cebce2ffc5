<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>MainWindow</name>
    <message>
        <source>data oparation console</source>
        <translation>データ操作コンソール</translation>
    </message>
    <message>
        <source>file(&amp;f)</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>database(&amp;d)</source>
        <translation>データベース(&amp;D)</translation>
    </message>
    <message>
        <source>edit(&amp;e)</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>view(&amp;v)</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>icon(&amp;i)</source>
        <translation>アイコン(&amp;I)</translation>
    </message>
    <message>
        <source>window</source>
        <translation>ウィンドウ</translation>
    </message>
    <message>
        <source>option(&amp;o)</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>help(&amp;h)</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>document(&amp;d)</source>
        <translation>ドキュメント(&amp;D)</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>big(&amp;b)</source>
        <translation>大(&amp;B)</translation>
    </message>
    <message>
        <source>normal(&amp;n)</source>
        <translation>中(&amp;N)</translation>
    </message>
    <message>
        <source>small(&amp;s)</source>
        <translation>小(&amp;S)</translation>
    </message>
    <message>
        <source>database</source>
        <translation>データベース</translation>
    </message>
    <message>
        <source>log</source>
        <translation>ログ</translation>
    </message>
    <message>
        <source>toolbar(&amp;t)</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>statusbar(&amp;s)</source>
        <translation>ステータスバー(&amp;S)</translation>
    </message>
    <message>
        <source>fullscreen(&amp;f)</source>
        <translation>全画面(&amp;F)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F11</source>
        <translation>Ctrl+Shift+F11</translation>
    </message>
    <message>
        <source>preference(&amp;p)</source>
        <translation>設定(&amp;P)</translation>
    </message>
    <message>
        <source>online reference(&amp;o)</source>
        <translation>オンラインリファレンス(&amp;O)</translation>
    </message>
    <message>
        <source>local(&amp;l)</source>
        <translation>ローカル(&amp;L)</translation>
    </message>
    <message>
        <source>update(&amp;u)</source>
        <translation>更新の確認(&amp;U)</translation>
    </message>
    <message>
        <source>about(&amp;a)</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>set</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>look</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>table</source>
        <translation>テーブル</translation>
    </message>
    <message>
        <source>sql</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>system(&amp;s)</source>
        <translation>システム(&amp;S)</translation>
    </message>
    <message>
        <source>language(&amp;l)</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>quit(&amp;q)</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>new file(&amp;n)</source>
        <translation>新規ファイル(&amp;N)</translation>
    </message>
    <message>
        <source>open file(&amp;o)</source>
        <translation>ファイルを開く(&amp;O)</translation>
    </message>
    <message>
        <source>save file(&amp;s)</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>save all files(&amp;a)</source>
        <translation>すべて保存(&amp;A)</translation>
    </message>
    <message>
        <source>save as (&amp;b)</source>
        <translation>名前を付けて保存(&amp;B)</translation>
    </message>
    <message>
        <source>close file(&amp;c)</source>
        <translation>ファイルを閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>close all files(&amp;f)</source>
        <translation>すべて閉じる(&amp;F)</translation>
    </message>
    <message>
        <source>close except file(&amp;e)</source>
        <translation>他のファイルを閉じる(&amp;E)</translation>
    </message>
    <message>
        <source>print file(&amp;p)</source>
        <translation>印刷(&amp;P)</translation>
    </message>
    <message>
        <source>refresh(&amp;r)</source>
        <translation>最新の情報に更新(&amp;R)</translation>
    </message>
    <message>
        <source>create table(&amp;c)</source>
        <translation>テーブルの作成(&amp;C)</translation>
    </message>
    <message>
        <source>reconnect(&amp;r)</source>
        <translation>再接続(&amp;R)</translation>
    </message>
    <message>
        <source>status(&amp;s)</source>
        <translation>状態(&amp;S)</translation>
    </message>
    <message>
        <source>backup(&amp;b)</source>
        <translation>バックアップ(&amp;B)</translation>
    </message>
    <message>
        <source>restore(&amp;r)</source>
        <translation>復元(&amp;R)</translation>
    </message>
    <message>
        <source>execute sql(&amp;e)</source>
        <translation>SQLファイルの実行(&amp;E)</translation>
    </message>
    <message>
        <source>load table(&amp;l)</source>
        <translation>テーブルの読み込み(&amp;L)</translation>
    </message>
    <message>
        <source>drop(&amp;d)</source>
        <translation>テーブルの削除(&amp;D)</translation>
    </message>
    <message>
        <source>truncate(&amp;t)</source>
        <translation>テーブルを空にする(&amp;T)</translation>
    </message>
    <message>
        <source>create field(&amp;c)</source>
        <translation>フィールドの追加(&amp;C)</translation>
    </message>
    <message>
        <source>view data(&amp;v)</source>
        <translation>データの表示(&amp;V)</translation>
    </message>
    <message>
        <source>view field(&amp;v)</source>
        <translation>フィールドの表示(&amp;V)</translation>
    </message>
    <message>
        <source>import(&amp;i)</source>
        <translation>インポート(&amp;I)</translation>
    </message>
    <message>
        <source>export(&amp;e)</source>
        <translation>エクスポート(&amp;E)</translation>
    </message>
    <message>
        <source>save table(&amp;s)</source>
        <translation>テーブルの保存(&amp;S)</translation>
    </message>
    <message>
        <source>delete(&amp;d)</source>
        <translation>フィールドの削除(&amp;D)</translation>
    </message>
    <message>
        <source>rename(&amp;r)</source>
        <translation>フィールド名の変更(&amp;R)</translation>
    </message>
    <message>
        <source>modify(&amp;m)</source>
        <translation>フィールドの変更(&amp;M)</translation>
    </message>
    <message>
        <source>cut(&amp;t)</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>copy(&amp;c)</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>paste(&amp;p)</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>redo(&amp;r)</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>undo(&amp;u)</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>goto error(&amp;g)</source>
        <translation>エラーへ移動(&amp;G)</translation>
    </message>
    <message>
        <source>line begin</source>
        <translation>行頭</translation>
    </message>
    <message>
        <source>line end</source>
        <translation>行末</translation>
    </message>
    <message>
        <source>word begin</source>
        <translation>単語の先頭</translation>
    </message>
    <message>
        <source>word end</source>
        <translation>単語の末尾</translation>
    </message>
    <message>
        <source>delete selection</source>
        <translation>選択範囲を削除</translation>
    </message>
    <message>
        <source>select beside</source>
        <translation>対応部分を選択</translation>
    </message>
    <message>
        <source>select all</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>select line</source>
        <translation>行を選択</translation>
    </message>
    <message>
        <source>select word</source>
        <translation>単語を選択</translation>
    </message>
    <message>
        <source>find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>execute selection</source>
        <translation>選択範囲を実行</translation>
    </message>
    <message>
        <source>execute current line</source>
        <translation>現在の行を実行</translation>
    </message>
    <message>
        <source>format selection</source>
        <translation>選択範囲を整形</translation>
    </message>
    <message>
        <source>open recent files(&amp;r)</source>
        <translation>最近使ったファイル(&amp;R)</translation>
    </message>
    <message>
        <source>connected to %1:%2</source>
        <translation>%1:%2 に接続中</translation>
    </message>
</context>
<context>
    <name>login_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>set as default</source>
        <translation>既定値に設定</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:15pt; font-weight:600;"&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:15pt; font-weight:600;"&gt;Vela データベース ログイン&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;ユーザー：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;パスワード：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;IP：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;ポート：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>invalid ip</source>
        <translation>無効なIP</translation>
    </message>
    <message>
        <source>invalid port</source>
        <translation>無効なポート</translation>
    </message>
    <message>
        <source>info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>invalid user or password</source>
        <translation>ユーザー名またはパスワードが無効です</translation>
    </message>
</context>
</TS>
