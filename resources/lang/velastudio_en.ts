<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>data oparation console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file(&amp;f)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>database(&amp;d)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit(&amp;e)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>view(&amp;v)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>icon(&amp;i)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option(&amp;o)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>help(&amp;h)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>document(&amp;d)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>big(&amp;b)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>normal(&amp;n)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>small(&amp;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>toolbar(&amp;t)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>statusbar(&amp;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fullscreen(&amp;f)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+F11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>preference(&amp;p)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>online reference(&amp;o)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>local(&amp;l)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>update(&amp;u)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about(&amp;a)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sql</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>system(&amp;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>language(&amp;l)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quit(&amp;q)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new file(&amp;n)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open file(&amp;o)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save file(&amp;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save all files(&amp;a)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save as (&amp;b)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>close file(&amp;c)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>close all files(&amp;f)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>close except file(&amp;e)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print file(&amp;p)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refresh(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create table(&amp;c)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reconnect(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>status(&amp;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>backup(&amp;b)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execute sql(&amp;e)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load table(&amp;l)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>drop(&amp;d)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>truncate(&amp;t)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create field(&amp;c)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>view data(&amp;v)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>view field(&amp;v)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import(&amp;i)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export(&amp;e)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save table(&amp;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete(&amp;d)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rename(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modify(&amp;m)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cut(&amp;t)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>copy(&amp;c)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paste(&amp;p)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>redo(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>undo(&amp;u)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>goto error(&amp;g)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line begin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>word begin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>word end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>select beside</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>select line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>select word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execute selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execute current line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>format selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open recent files(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connected to %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the language change to 中文, the application need restart, restart now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the language change to English, the application need restart, restart now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the language change to Français, the application need restart, restart now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the language change to Japanese, the application need restart, restart now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>language changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the application could not be restarted, the language changes at the next start!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the manual &apos;%1&apos; is not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no program opens &apos;%1&apos;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>successful</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reconnect information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reconnect sussesful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reconnect failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>backup result(local)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>backup database to file &apos;%1&apos; is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore result(local)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore database frome file &apos;%1&apos; is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load file &apos;%1&apos; as table is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import file &apos;%1&apos; to table &apos;%2&apos; is %3!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>drop table warnning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>drop table will delete table from server, do your want to drop table &apos;%1&apos; really?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>drop table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>drop table &apos;%1&apos; from database is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>truncate table warnning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>truncate table will clear all table &apos;s data, do your want to truncate table &apos;%1&apos; really?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>truncate table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>truncate table &apos;%1&apos; from database is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete field warnning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete field will delete field from table, do your want to delete field &apos;%2&apos; from table &apos;%1&apos; really?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete field result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete field &apos;%1&apos; from table &apos;%2&apos; is %3!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modify field &apos;%2&apos; of table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rename field &apos;%2&apos; of table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>clear file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open file failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a script file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is larger than %2 MiB and is not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file grew while it was read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save file failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>scriptfile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set sql file&apos;s location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open sql file to script editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file not exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not exists do your want to create new file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save as sql file to location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file path is same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the selected path is same as original!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is open in another tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved. close it and lose the changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>some scripts could not be saved. quit and lose their changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open sql file to execute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about data oparation console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About: Database client is GUI client develop by vela database team.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made by the velastudio developers; free software under the MIT licence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: 0.2.3, Build Date: 2024-05-12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Licenses(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>vela database client license</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>col_info</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TableName</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
height:25px;
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>successful</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create table &apos;%1&apos; is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create field result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create field &apos;%1&apos; is %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rename field &apos;%1&apos; to &apos;%2&apos; is %3!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit first k</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>post operate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
selection-background-color: rgb(163, 163, 163);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number Display Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>immediate mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ctrl+f</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ctrl+h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>post processing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>append</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>analysis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modeling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visualization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>apply the pending changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the query failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the query failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(limit reached)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the changes were not applied; they are still pending.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the changes were not applied (%1); they are still pending.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export view data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export table result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>successful</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>db_access</name>
    <message>
        <source>not logged in</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>csvs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spliter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export path information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import path information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>table path information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the input table&apos;s path is empty.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>login_dlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set as default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid ip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid user or password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>replace_mode</name>
    <message>
        <source>replace mode information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style=&apos;color:orange&apos;&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>run_progress_wt</name>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>statement %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>path information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find text in current windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>search result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next research result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next search result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>search result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next research result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next search result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find text in current table</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sql_script_editor</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execute(&amp;e)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>copy current text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>close all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>close current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export current data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows, %2 columns in %3 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export current windows execute result to csv/csvs file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> elegant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>show space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>point size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>completion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>least count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only SQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>table name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>field name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>constant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>comment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
