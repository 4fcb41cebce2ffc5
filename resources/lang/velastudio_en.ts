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
</TS>
