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
    <message>
        <source>the language change to 中文, the application need restart, restart now?</source>
        <translation>言語を中国語（中文）に変更しました。反映するには再起動が必要です。今すぐ再起動しますか？</translation>
    </message>
    <message>
        <source>the language change to English, the application need restart, restart now?</source>
        <translation>言語を英語（English）に変更しました。反映するには再起動が必要です。今すぐ再起動しますか？</translation>
    </message>
    <message>
        <source>the language change to Français, the application need restart, restart now?</source>
        <translation>言語をフランス語（Français）に変更しました。反映するには再起動が必要です。今すぐ再起動しますか？</translation>
    </message>
    <message>
        <source>the language change to Japanese, the application need restart, restart now?</source>
        <translation>言語を日本語に変更しました。反映するには再起動が必要です。今すぐ再起動しますか？</translation>
    </message>
    <message>
        <source>language changed</source>
        <translation>言語の変更</translation>
    </message>
    <message>
        <source>the application could not be restarted, the language changes at the next start!</source>
        <translation>アプリケーションを再起動できませんでした。言語は次回の起動時に変わります。</translation>
    </message>
    <message>
        <source>help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>the manual &apos;%1&apos; is not found!</source>
        <translation>マニュアル「%1」が見つかりません。</translation>
    </message>
    <message>
        <source>no program opens &apos;%1&apos;!</source>
        <translation>「%1」を開くプログラムがありません。</translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation>新しいバージョンがあります。Web サイトから更新してください。</translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation>現在のバージョンが最新です。</translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation>バージョンの確認に失敗しました。</translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>reconnect information</source>
        <translation>再接続</translation>
    </message>
    <message>
        <source>reconnect sussesful!</source>
        <translation>再接続に成功しました。</translation>
    </message>
    <message>
        <source>reconnect failed!</source>
        <translation>再接続に失敗しました。</translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation>データベースをファイルにバックアップ</translation>
    </message>
    <message>
        <source>backup result(local)</source>
        <translation>バックアップの結果</translation>
    </message>
    <message>
        <source>backup database to file &apos;%1&apos; is %2!</source>
        <translation>データベースのファイル「%1」へのバックアップ：%2</translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation>ファイルからデータベースを復元</translation>
    </message>
    <message>
        <source>restore result(local)</source>
        <translation>復元の結果</translation>
    </message>
    <message>
        <source>restore database frome file &apos;%1&apos; is %2!</source>
        <translation>ファイル「%1」からのデータベースの復元：%2</translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation>ファイルからテーブルを読み込む</translation>
    </message>
    <message>
        <source>load table result</source>
        <translation>読み込みの結果</translation>
    </message>
    <message>
        <source>load file &apos;%1&apos; as table is %2!</source>
        <translation>ファイル「%1」のテーブルとしての読み込み：%2</translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file</source>
        <translation>テーブル「%1」をファイルに保存</translation>
    </message>
    <message>
        <source>save table result</source>
        <translation>保存の結果</translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>テーブル「%1」のファイル「%2」への保存：%3</translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation>テーブル %1 を csv/csvs ファイルにエクスポート</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>エクスポートの結果</translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>テーブル「%1」のファイル「%2」へのエクスポート：%3</translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation>csv/csvs ファイルからテーブル %1 にインポート</translation>
    </message>
    <message>
        <source>import table result</source>
        <translation>インポートの結果</translation>
    </message>
    <message>
        <source>import file &apos;%1&apos; to table &apos;%2&apos; is %3!</source>
        <translation>ファイル「%1」のテーブル「%2」へのインポート：%3</translation>
    </message>
    <message>
        <source>drop table warnning</source>
        <translation>テーブル削除の警告</translation>
    </message>
    <message>
        <source>drop table will delete table from server, do your want to drop table &apos;%1&apos; really?</source>
        <translation>テーブルはサーバーから削除されます。テーブル「%1」を本当に削除しますか？</translation>
    </message>
    <message>
        <source>drop table result</source>
        <translation>テーブル削除の結果</translation>
    </message>
    <message>
        <source>drop table &apos;%1&apos; from database is %2!</source>
        <translation>データベースからのテーブル「%1」の削除：%2</translation>
    </message>
    <message>
        <source>truncate table warnning</source>
        <translation>テーブルを空にする警告</translation>
    </message>
    <message>
        <source>truncate table will clear all table &apos;s data, do your want to truncate table &apos;%1&apos; really?</source>
        <translation>テーブルのデータはすべて消去されます。テーブル「%1」を本当に空にしますか？</translation>
    </message>
    <message>
        <source>truncate table result</source>
        <translation>テーブルを空にした結果</translation>
    </message>
    <message>
        <source>truncate table &apos;%1&apos; from database is %2!</source>
        <translation>テーブル「%1」を空にする操作：%2</translation>
    </message>
    <message>
        <source>delete field warnning</source>
        <translation>フィールド削除の警告</translation>
    </message>
    <message>
        <source>delete field will delete field from table, do your want to delete field &apos;%2&apos; from table &apos;%1&apos; really?</source>
        <translation>フィールドはテーブルから削除されます。テーブル「%1」からフィールド「%2」を本当に削除しますか？</translation>
    </message>
    <message>
        <source>delete field result</source>
        <translation>フィールド削除の結果</translation>
    </message>
    <message>
        <source>delete field &apos;%1&apos; from table &apos;%2&apos; is %3!</source>
        <translation>テーブル「%2」からのフィールド「%1」の削除：%3</translation>
    </message>
    <message>
        <source>new table</source>
        <translation>新しいテーブル</translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation>テーブル %1 にフィールドを追加</translation>
    </message>
    <message>
        <source>modify field &apos;%2&apos; of table: %1</source>
        <translation>テーブル %1 のフィールド「%2」を変更</translation>
    </message>
    <message>
        <source>rename field &apos;%2&apos; of table: %1</source>
        <translation>テーブル %1 のフィールド「%2」の名前を変更</translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation>テーブル %1 のフィールド</translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation>テーブル %1 のデータ</translation>
    </message>
    <message>
        <source>clear file list</source>
        <translation>一覧を消去</translation>
    </message>
    <message>
        <source>open file failed</source>
        <translation>ファイルを開けません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a script file.</source>
        <translation>「%1」はフォルダーで、スクリプトファイルではありません。</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be opened: %2</source>
        <translation>ファイル「%1」を開けませんでした：%2</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is larger than %2 MiB and is not opened.</source>
        <translation>ファイル「%1」は %2 MiB を超えるため開きません。</translation>
    </message>
    <message>
        <source>the file grew while it was read</source>
        <translation>読み込み中にファイルが大きくなりました</translation>
    </message>
    <message>
        <source>save file failed</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved: %2</source>
        <translation>ファイル「%1」を保存できませんでした：%2</translation>
    </message>
    <message>
        <source>scriptfile</source>
        <translation>スクリプトファイル</translation>
    </message>
    <message>
        <source>set sql file&apos;s location</source>
        <translation>SQL ファイルの保存先</translation>
    </message>
    <message>
        <source>open sql file to script editor</source>
        <translation>SQL ファイルをエディターで開く</translation>
    </message>
    <message>
        <source>file not exists</source>
        <translation>ファイルがありません</translation>
    </message>
    <message>
        <source>the file is not exists do your want to create new file?</source>
        <translation>ファイルがありません。新しく作成しますか？</translation>
    </message>
    <message>
        <source>save as sql file to location</source>
        <translation>SQL ファイルに名前を付けて保存</translation>
    </message>
    <message>
        <source>file path is same</source>
        <translation>同じパス</translation>
    </message>
    <message>
        <source>the selected path is same as original!</source>
        <translation>選んだパスは元のパスと同じです。</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is open in another tab.</source>
        <translation>ファイル「%1」は別のタブで開いています。</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved. close it and lose the changes?</source>
        <translation>ファイル「%1」を保存できませんでした。変更を破棄して閉じますか？</translation>
    </message>
    <message>
        <source>some scripts could not be saved. quit and lose their changes?</source>
        <translation>保存できなかったスクリプトがあります。変更を破棄して終了しますか？</translation>
    </message>
    <message>
        <source>open sql file to execute</source>
        <translation>実行する SQL ファイルを開く</translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation>SQL の構文解析に失敗</translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation>SQL の構文解析が位置 %1 で失敗しました</translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation>実行結果</translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation>SQL「%1」の実行に失敗しました。</translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation>%2 文中 %1 文目の後で実行を中止しました。</translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation>すべての SQL の実行に成功しました。</translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about data oparation console</source>
        <translation>データ操作コンソールについて</translation>
    </message>
    <message>
        <source>About: Database client is GUI client develop by vela database team.</source>
        <translation>概要：このデータベースクライアントは Vela データベースチームが開発した GUI クライアントです。</translation>
    </message>
    <message>
        <source>Made by the velastudio developers; free software under the MIT licence.</source>
        <translation>velastudio の開発者が作成。MIT ライセンスのフリーソフトウェアです。</translation>
    </message>
    <message>
        <source>Version: 0.2.3, Build Date: 2024-05-12</source>
        <translation>バージョン：0.2.3、ビルド日：2024-05-12</translation>
    </message>
    <message>
        <source>Licenses(&amp;L)</source>
        <translation>ライセンス(&amp;L)</translation>
    </message>
    <message>
        <source>vela database client license</source>
        <translation>Vela データベースクライアントのライセンス</translation>
    </message>
</context>
<context>
    <name>col_info</name>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <source>TableName</source>
        <translation>テーブル名</translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
height:25px;
</source>
        <translation>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
height:25px;
</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
</source>
        <translation>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>型</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>重複可</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>create table result</source>
        <translation>テーブル作成の結果</translation>
    </message>
    <message>
        <source>create table &apos;%1&apos; is %2!</source>
        <translation>テーブル「%1」の作成：%2</translation>
    </message>
    <message>
        <source>create field result</source>
        <translation>フィールド作成の結果</translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation>すべてのフィールドの作成：%1</translation>
    </message>
    <message>
        <source>create field &apos;%1&apos; is %2!</source>
        <translation>フィールド「%1」の作成：%2</translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation>フィールド変更の結果</translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation>フィールドの変更：%1</translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation>フィールド名変更の結果</translation>
    </message>
    <message>
        <source>rename field &apos;%1&apos; to &apos;%2&apos; is %3!</source>
        <translation>フィールド「%1」から「%2」への名前変更：%3</translation>
    </message>
</context>
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>limit first k</source>
        <translation>先頭 k 行に制限</translation>
    </message>
    <message>
        <source>filter</source>
        <translation>フィルター</translation>
    </message>
    <message>
        <source>post operate</source>
        <translation>後処理</translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
selection-background-color: rgb(163, 163, 163);</source>
        <translation>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
selection-background-color: rgb(163, 163, 163);</translation>
    </message>
    <message>
        <source>Number Display Mode</source>
        <translation>数値の表示形式</translation>
    </message>
    <message>
        <source>Nor</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>16進</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>10進</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>2進</translation>
    </message>
    <message>
        <source>immediate mode</source>
        <translation>即時モード</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>export</source>
        <translation>エクスポート</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>テキストを検索</translation>
    </message>
    <message>
        <source>ctrl+f</source>
        <translation>ctrl+f</translation>
    </message>
    <message>
        <source>replace text</source>
        <translation>テキストを置換</translation>
    </message>
    <message>
        <source>ctrl+h</source>
        <translation>ctrl+h</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>post processing</source>
        <translation>後処理</translation>
    </message>
    <message>
        <source>append</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>analysis</source>
        <translation>分析</translation>
    </message>
    <message>
        <source>modeling</source>
        <translation>モデリング</translation>
    </message>
    <message>
        <source>visualization</source>
        <translation>可視化</translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation>未適用の変更</translation>
    </message>
    <message>
        <source>apply the pending changes?</source>
        <translation>未適用の変更を適用しますか？</translation>
    </message>
    <message>
        <source>the query failed.</source>
        <translation>クエリに失敗しました。</translation>
    </message>
    <message>
        <source>the query failed: %1</source>
        <translation>クエリに失敗しました：%1</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>(limit reached)</source>
        <translation>（上限に達しました）</translation>
    </message>
    <message>
        <source>the changes were not applied; they are still pending.</source>
        <translation>変更は適用されず、未適用のまま残っています。</translation>
    </message>
    <message>
        <source>the changes were not applied (%1); they are still pending.</source>
        <translation>変更は適用されず（%1）、未適用のまま残っています。</translation>
    </message>
    <message>
        <source>export view data</source>
        <translation>表示中のデータをエクスポート</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>エクスポートの結果</translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>テーブル「%1」のファイル「%2」へのエクスポート：%3</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
</context>
<context>
    <name>db_access</name>
    <message>
        <source>not logged in</source>
        <translation>未ログイン</translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>csv</source>
        <translation>csv</translation>
    </message>
    <message>
        <source>csvs</source>
        <translation>csvs</translation>
    </message>
    <message>
        <source>Spliter</source>
        <translation>区切り文字</translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation>置換モード</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>サーバー上のパス（サーバーのファイルフォルダーからの相対パス）</translation>
    </message>
    <message>
        <source>space</source>
        <translation>空白</translation>
    </message>
    <message>
        <source>export path information</source>
        <translation>エクスポート先のパス</translation>
    </message>
    <message>
        <source>import path information</source>
        <translation>インポート元のパス</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>パスが入力されていません。</translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>サーバー上のパス（サーバーのファイルフォルダーからの相対パス）</translation>
    </message>
    <message>
        <source>table path information</source>
        <translation>テーブルのパス</translation>
    </message>
    <message>
        <source>the input table&apos;s path is empty.</source>
        <translation>テーブルのパスが入力されていません。</translation>
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
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Vela データベース ログイン&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;ユーザー：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;パスワード：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;ポート：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
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
<context>
    <name>replace_mode</name>
    <message>
        <source>replace mode information</source>
        <translation>置換モードの確認</translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style=&apos;color:orange&apos;&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation>注意：置換モードでは&lt;span style=&apos;color:orange&apos;&gt;既存のファイルを上書きします&lt;/span&gt;。続行しますか？</translation>
    </message>
</context>
<context>
    <name>run_progress_wt</name>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>statement %1 of %2</source>
        <translation>%2 文中 %1 文目</translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>サーバー上のパス（サーバーのファイルフォルダーからの相対パス）</translation>
    </message>
    <message>
        <source>Replace Mode</source>
        <translation>置換モード</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>パスが入力されていません。</translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>対象</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>エスケープ(\n,\r,\x)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>通常</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>単語単位</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>すべて検索</translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation>選択範囲のみ</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation>現在のウィンドウで置換</translation>
    </message>
    <message>
        <source>find text in current windows</source>
        <translation>現在のウィンドウで検索</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>検索結果</translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation>正規表現が無効です：%1</translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation>検索を中止しました：%1</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>次の検索結果</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>前の検索結果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation>文字列「%1」は見つかりませんでした。</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>次の検索結果</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>前の検索結果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation>文字列「%1」は見つかりませんでした。先頭から続けますか？</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation>文字列「%1」は見つかりませんでした。末尾から続けますか？</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation>文字列「%1」が %2 件見つかりました。</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>置換結果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation>文字列「%1」を %2 件置換しました。</translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>対象</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>エスケープ(\n,\r,\x)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>通常</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>単語単位</translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation>範囲</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>すべて検索</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>検索結果</translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation>正規表現が無効です：%1</translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation>検索を中止しました：%1</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation>文字列「%1」は見つかりませんでした。</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation>文字列「%1」が %2 件見つかりました。</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>次の検索結果</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>前の検索結果</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>次の検索結果</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>前の検索結果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation>文字列「%1」は見つかりませんでした。先頭から続けますか？</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation>文字列「%1」は見つかりませんでした。末尾から続けますか？</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>置換結果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation>文字列「%1」を %2 件置換しました。</translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation>現在のテーブルで置換</translation>
    </message>
    <message>
        <source>find text in current table</source>
        <translation>現在のテーブルで検索</translation>
    </message>
</context>
<context>
    <name>sql_script_editor</name>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <source>execute(&amp;e)</source>
        <translation>実行(&amp;E)</translation>
    </message>
    <message>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Return</translation>
    </message>
    <message>
        <source>copy current text</source>
        <translation>現在のテキストをコピー</translation>
    </message>
    <message>
        <source>close all</source>
        <translation>すべて閉じる</translation>
    </message>
    <message>
        <source>close current</source>
        <translation>現在のタブを閉じる</translation>
    </message>
    <message>
        <source>export current data</source>
        <translation>現在のデータをエクスポート</translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation>SQL の構文解析に失敗</translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation>SQL の構文解析が位置 %1 で失敗しました</translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation>実行結果</translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation>SQL「%1」の実行に失敗しました。</translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation>%2 文中 %1 文目の後で実行を中止しました。</translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation>すべての SQL の実行に成功しました。</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>テキストを検索</translation>
    </message>
    <message>
        <source>%1 rows, %2 columns in %3 ms</source>
        <translation>%1 行、%2 列、%3 ミリ秒</translation>
    </message>
    <message>
        <source>export current windows execute result to csv/csvs file</source>
        <translation>現在のウィンドウの実行結果を csv/csvs ファイルにエクスポート</translation>
    </message>
</context>
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation>システム設定</translation>
    </message>
    <message>
        <source>editor</source>
        <translation>エディター</translation>
    </message>
    <message>
        <source>update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source> style</source>
        <translation> スタイル</translation>
    </message>
    <message>
        <source>theme</source>
        <translation>テーマ</translation>
    </message>
    <message>
        <source> elegant</source>
        <translation> エレガント</translation>
    </message>
    <message>
        <source>fresh</source>
        <translation>さわやか</translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation>のんびり</translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation>リセット(&amp;R)</translation>
    </message>
    <message>
        <source>show space</source>
        <translation>空白を表示</translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation>縦の係数</translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation>横の係数</translation>
    </message>
    <message>
        <source>point size</source>
        <translation>ポイント数</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>太字</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Overline</source>
        <translation>上線</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下線</translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation>取り消し線</translation>
    </message>
    <message>
        <source>color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation>タブ幅：</translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation>空白として挿入</translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation>連続編集とみなす時間</translation>
    </message>
    <message>
        <source>second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation>編集カーソル</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>補完</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効にする</translation>
    </message>
    <message>
        <source>least count</source>
        <translation>最小文字数</translation>
    </message>
    <message>
        <source>Only SQL</source>
        <translation>SQL のみ</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>更新を確認する</translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation>適用(&amp;A)</translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>default</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation>標準キーワード</translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation>読み取りキーワード</translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation>書き込みキーワード</translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation>後処理キーワード</translation>
    </message>
    <message>
        <source>function</source>
        <translation>関数</translation>
    </message>
    <message>
        <source>table name</source>
        <translation>テーブル名</translation>
    </message>
    <message>
        <source>field name</source>
        <translation>フィールド名</translation>
    </message>
    <message>
        <source>constant</source>
        <translation>定数</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>コメント</translation>
    </message>
</context>
</TS>
