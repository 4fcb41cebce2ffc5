<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>data oparation console</source>
        <translation>数据操作控制台</translation>
    </message>
    <message>
        <source>file(&amp;f)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>database(&amp;d)</source>
        <translation>数据库(&amp;D)</translation>
    </message>
    <message>
        <source>edit(&amp;e)</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>view(&amp;v)</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>icon(&amp;i)</source>
        <translation>图标(&amp;I)</translation>
    </message>
    <message>
        <source>window</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>option(&amp;o)</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <source>language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>help(&amp;h)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>document(&amp;d)</source>
        <translation>文档(&amp;D)</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>工具栏</translation>
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
        <translation>数据库</translation>
    </message>
    <message>
        <source>log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>toolbar(&amp;t)</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>statusbar(&amp;s)</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>fullscreen(&amp;f)</source>
        <translation>全屏(&amp;F)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F11</source>
        <translation>Ctrl+Shift+F11</translation>
    </message>
    <message>
        <source>preference(&amp;p)</source>
        <translation>首选项(&amp;P)</translation>
    </message>
    <message>
        <source>online reference(&amp;o)</source>
        <translation>在线参考(&amp;O)</translation>
    </message>
    <message>
        <source>local(&amp;l)</source>
        <translation>本地文档(&amp;L)</translation>
    </message>
    <message>
        <source>update(&amp;u)</source>
        <translation>检查更新(&amp;U)</translation>
    </message>
    <message>
        <source>about(&amp;a)</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>look</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>table</source>
        <translation>表</translation>
    </message>
    <message>
        <source>sql</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>system(&amp;s)</source>
        <translation>系统(&amp;S)</translation>
    </message>
    <message>
        <source>language(&amp;l)</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>quit(&amp;q)</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>new file(&amp;n)</source>
        <translation>新建文件(&amp;N)</translation>
    </message>
    <message>
        <source>open file(&amp;o)</source>
        <translation>打开文件(&amp;O)</translation>
    </message>
    <message>
        <source>save file(&amp;s)</source>
        <translation>保存文件(&amp;S)</translation>
    </message>
    <message>
        <source>save all files(&amp;a)</source>
        <translation>全部保存(&amp;A)</translation>
    </message>
    <message>
        <source>save as (&amp;b)</source>
        <translation>另存为(&amp;B)</translation>
    </message>
    <message>
        <source>close file(&amp;c)</source>
        <translation>关闭文件(&amp;C)</translation>
    </message>
    <message>
        <source>close all files(&amp;f)</source>
        <translation>关闭全部文件(&amp;F)</translation>
    </message>
    <message>
        <source>close except file(&amp;e)</source>
        <translation>关闭其他文件(&amp;E)</translation>
    </message>
    <message>
        <source>print file(&amp;p)</source>
        <translation>打印文件(&amp;P)</translation>
    </message>
    <message>
        <source>refresh(&amp;r)</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>create table(&amp;c)</source>
        <translation>创建表(&amp;C)</translation>
    </message>
    <message>
        <source>reconnect(&amp;r)</source>
        <translation>重新连接(&amp;R)</translation>
    </message>
    <message>
        <source>status(&amp;s)</source>
        <translation>状态(&amp;S)</translation>
    </message>
    <message>
        <source>backup(&amp;b)</source>
        <translation>备份(&amp;B)</translation>
    </message>
    <message>
        <source>restore(&amp;r)</source>
        <translation>恢复(&amp;R)</translation>
    </message>
    <message>
        <source>execute sql(&amp;e)</source>
        <translation>执行SQL文件(&amp;E)</translation>
    </message>
    <message>
        <source>load table(&amp;l)</source>
        <translation>载入表(&amp;L)</translation>
    </message>
    <message>
        <source>drop(&amp;d)</source>
        <translation>删除表(&amp;D)</translation>
    </message>
    <message>
        <source>truncate(&amp;t)</source>
        <translation>清空表(&amp;T)</translation>
    </message>
    <message>
        <source>create field(&amp;c)</source>
        <translation>创建字段(&amp;C)</translation>
    </message>
    <message>
        <source>view data(&amp;v)</source>
        <translation>查看数据(&amp;V)</translation>
    </message>
    <message>
        <source>view field(&amp;v)</source>
        <translation>查看字段(&amp;V)</translation>
    </message>
    <message>
        <source>import(&amp;i)</source>
        <translation>导入(&amp;I)</translation>
    </message>
    <message>
        <source>export(&amp;e)</source>
        <translation>导出(&amp;E)</translation>
    </message>
    <message>
        <source>save table(&amp;s)</source>
        <translation>保存表(&amp;S)</translation>
    </message>
    <message>
        <source>delete(&amp;d)</source>
        <translation>删除字段(&amp;D)</translation>
    </message>
    <message>
        <source>rename(&amp;r)</source>
        <translation>重命名字段(&amp;R)</translation>
    </message>
    <message>
        <source>modify(&amp;m)</source>
        <translation>修改字段(&amp;M)</translation>
    </message>
    <message>
        <source>cut(&amp;t)</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>copy(&amp;c)</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>paste(&amp;p)</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>redo(&amp;r)</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>undo(&amp;u)</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>goto error(&amp;g)</source>
        <translation>转到错误(&amp;G)</translation>
    </message>
    <message>
        <source>line begin</source>
        <translation>行首</translation>
    </message>
    <message>
        <source>line end</source>
        <translation>行尾</translation>
    </message>
    <message>
        <source>word begin</source>
        <translation>词首</translation>
    </message>
    <message>
        <source>word end</source>
        <translation>词尾</translation>
    </message>
    <message>
        <source>delete selection</source>
        <translation>删除选中内容</translation>
    </message>
    <message>
        <source>select beside</source>
        <translation>选择配对内容</translation>
    </message>
    <message>
        <source>select all</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>select line</source>
        <translation>选择行</translation>
    </message>
    <message>
        <source>select word</source>
        <translation>选择单词</translation>
    </message>
    <message>
        <source>find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>execute selection</source>
        <translation>执行选中内容</translation>
    </message>
    <message>
        <source>execute current line</source>
        <translation>执行当前行</translation>
    </message>
    <message>
        <source>format selection</source>
        <translation>格式化选中内容</translation>
    </message>
    <message>
        <source>open recent files(&amp;r)</source>
        <translation>最近打开的文件(&amp;R)</translation>
    </message>
    <message>
        <source>connected to %1:%2</source>
        <translation>已连接到 %1:%2</translation>
    </message>
    <message>
        <source>the language change to 中文, the application need restart, restart now?</source>
        <translation>界面语言已改为中文，需要重启程序才能生效，现在重启吗？</translation>
    </message>
    <message>
        <source>the language change to English, the application need restart, restart now?</source>
        <translation>界面语言已改为英语（English），需要重启程序才能生效，现在重启吗？</translation>
    </message>
    <message>
        <source>the language change to Français, the application need restart, restart now?</source>
        <translation>界面语言已改为法语（Français），需要重启程序才能生效，现在重启吗？</translation>
    </message>
    <message>
        <source>the language change to Japanese, the application need restart, restart now?</source>
        <translation>界面语言已改为日语（日本語），需要重启程序才能生效，现在重启吗？</translation>
    </message>
    <message>
        <source>language changed</source>
        <translation>语言已更改</translation>
    </message>
    <message>
        <source>the application could not be restarted, the language changes at the next start!</source>
        <translation>无法重启程序，语言将在下次启动时生效！</translation>
    </message>
    <message>
        <source>help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>the manual &apos;%1&apos; is not found!</source>
        <translation>找不到手册“%1”！</translation>
    </message>
    <message>
        <source>no program opens &apos;%1&apos;!</source>
        <translation>没有可以打开“%1”的程序！</translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation>有新版本，请到网站更新！</translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation>当前已是最新版本！</translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation>检查版本失败！</translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation>版本信息</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>reconnect information</source>
        <translation>重新连接提示</translation>
    </message>
    <message>
        <source>reconnect sussesful!</source>
        <translation>重新连接成功！</translation>
    </message>
    <message>
        <source>reconnect failed!</source>
        <translation>重新连接失败！</translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation>备份数据库到文件</translation>
    </message>
    <message>
        <source>backup result(local)</source>
        <translation>备份结果</translation>
    </message>
    <message>
        <source>backup database to file &apos;%1&apos; is %2!</source>
        <translation>备份数据库到文件“%1”%2！</translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation>从文件恢复数据库</translation>
    </message>
    <message>
        <source>restore result(local)</source>
        <translation>恢复结果</translation>
    </message>
    <message>
        <source>restore database frome file &apos;%1&apos; is %2!</source>
        <translation>从文件“%1”恢复数据库%2！</translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation>从文件载入表</translation>
    </message>
    <message>
        <source>load table result</source>
        <translation>载入表结果</translation>
    </message>
    <message>
        <source>load file &apos;%1&apos; as table is %2!</source>
        <translation>将文件“%1”载入为表%2！</translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file</source>
        <translation>保存表“%1”到文件</translation>
    </message>
    <message>
        <source>save table result</source>
        <translation>保存表结果</translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>保存表“%1”到文件“%2”%3！</translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation>导出表 %1 到 csv/csvs 文件</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>导出表结果</translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>导出表“%1”到文件“%2”%3！</translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation>从 csv/csvs 文件导入数据到表 %1</translation>
    </message>
    <message>
        <source>import table result</source>
        <translation>导入表结果</translation>
    </message>
    <message>
        <source>import file &apos;%1&apos; to table &apos;%2&apos; is %3!</source>
        <translation>导入文件“%1”到表“%2”%3！</translation>
    </message>
    <message>
        <source>drop table warnning</source>
        <translation>删除表警告</translation>
    </message>
    <message>
        <source>drop table will delete table from server, do your want to drop table &apos;%1&apos; really?</source>
        <translation>删除表将从服务器上删除该表，确定要删除表“%1”吗？</translation>
    </message>
    <message>
        <source>drop table result</source>
        <translation>删除表结果</translation>
    </message>
    <message>
        <source>drop table &apos;%1&apos; from database is %2!</source>
        <translation>从数据库删除表“%1”%2！</translation>
    </message>
    <message>
        <source>truncate table warnning</source>
        <translation>清空表警告</translation>
    </message>
    <message>
        <source>truncate table will clear all table &apos;s data, do your want to truncate table &apos;%1&apos; really?</source>
        <translation>清空表将删除表中的全部数据，确定要清空表“%1”吗？</translation>
    </message>
    <message>
        <source>truncate table result</source>
        <translation>清空表结果</translation>
    </message>
    <message>
        <source>truncate table &apos;%1&apos; from database is %2!</source>
        <translation>清空表“%1”%2！</translation>
    </message>
    <message>
        <source>delete field warnning</source>
        <translation>删除字段警告</translation>
    </message>
    <message>
        <source>delete field will delete field from table, do your want to delete field &apos;%2&apos; from table &apos;%1&apos; really?</source>
        <translation>删除字段将从表中移除该字段，确定要从表“%1”中删除字段“%2”吗？</translation>
    </message>
    <message>
        <source>delete field result</source>
        <translation>删除字段结果</translation>
    </message>
    <message>
        <source>delete field &apos;%1&apos; from table &apos;%2&apos; is %3!</source>
        <translation>从表“%2”删除字段“%1”%3！</translation>
    </message>
    <message>
        <source>new table</source>
        <translation>新表</translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation>向表 %1 添加字段</translation>
    </message>
    <message>
        <source>modify field &apos;%2&apos; of table: %1</source>
        <translation>修改表 %1 的字段“%2”</translation>
    </message>
    <message>
        <source>rename field &apos;%2&apos; of table: %1</source>
        <translation>重命名表 %1 的字段“%2”</translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation>查看表 %1 的字段</translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation>表 %1 的数据</translation>
    </message>
    <message>
        <source>clear file list</source>
        <translation>清除文件列表</translation>
    </message>
    <message>
        <source>open file failed</source>
        <translation>打开文件失败</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a script file.</source>
        <translation>“%1”是文件夹，不是脚本文件。</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be opened: %2</source>
        <translation>无法打开文件“%1”：%2</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is larger than %2 MiB and is not opened.</source>
        <translation>文件“%1”超过 %2 MiB，未打开。</translation>
    </message>
    <message>
        <source>the file grew while it was read</source>
        <translation>读取过程中文件变大了</translation>
    </message>
    <message>
        <source>save file failed</source>
        <translation>保存文件失败</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved: %2</source>
        <translation>无法保存文件“%1”：%2</translation>
    </message>
    <message>
        <source>scriptfile</source>
        <translation>脚本文件</translation>
    </message>
    <message>
        <source>set sql file&apos;s location</source>
        <translation>选择 SQL 文件的保存位置</translation>
    </message>
    <message>
        <source>open sql file to script editor</source>
        <translation>在脚本编辑器中打开 SQL 文件</translation>
    </message>
    <message>
        <source>file not exists</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>the file is not exists do your want to create new file?</source>
        <translation>文件不存在，要新建该文件吗？</translation>
    </message>
    <message>
        <source>save as sql file to location</source>
        <translation>将 SQL 文件另存为</translation>
    </message>
    <message>
        <source>file path is same</source>
        <translation>文件路径相同</translation>
    </message>
    <message>
        <source>the selected path is same as original!</source>
        <translation>所选路径与原路径相同！</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is open in another tab.</source>
        <translation>文件“%1”已在另一个标签页中打开。</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved. close it and lose the changes?</source>
        <translation>无法保存文件“%1”。关闭并放弃修改吗？</translation>
    </message>
    <message>
        <source>some scripts could not be saved. quit and lose their changes?</source>
        <translation>部分脚本无法保存。退出并放弃这些修改吗？</translation>
    </message>
    <message>
        <source>open sql file to execute</source>
        <translation>打开要执行的 SQL 文件</translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation>SQL 解析失败</translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation>SQL 在位置 %1 处解析失败</translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation>执行信息</translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation>SQL“%1”执行失败！</translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation>执行在第 %1 条（共 %2 条）语句后停止。</translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation>全部 SQL 执行成功！</translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about data oparation console</source>
        <translation>关于数据操作控制台</translation>
    </message>
    <message>
        <source>About: Database client is GUI client develop by vela database team.</source>
        <translation>关于：本数据库客户端是由 Vela 数据库团队开发的图形界面客户端。</translation>
    </message>
    <message>
        <source>Made by the velastudio developers; free software under the MIT licence.</source>
        <translation>由 velastudio 开发者制作；以 MIT 许可证发布的自由软件。</translation>
    </message>
    <message>
        <source>Version: 0.2.3, Build Date: 2024-05-12</source>
        <translation>版本：0.2.3，构建日期：2024-05-12</translation>
    </message>
    <message>
        <source>Licenses(&amp;L)</source>
        <translation>许可证(&amp;L)</translation>
    </message>
    <message>
        <source>vela database client license</source>
        <translation>Vela 数据库客户端许可证</translation>
    </message>
</context>
<context>
    <name>col_info</name>
    <message>
        <source>Form</source>
        <translation>表单</translation>
    </message>
    <message>
        <source>TableName</source>
        <translation>表名</translation>
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
        <translation>名称</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>可重复</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>create table result</source>
        <translation>创建表结果</translation>
    </message>
    <message>
        <source>create table &apos;%1&apos; is %2!</source>
        <translation>创建表“%1”%2！</translation>
    </message>
    <message>
        <source>create field result</source>
        <translation>创建字段结果</translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation>创建全部字段%1！</translation>
    </message>
    <message>
        <source>create field &apos;%1&apos; is %2!</source>
        <translation>创建字段“%1”%2！</translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation>修改字段结果</translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation>修改字段%1！</translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation>重命名字段结果</translation>
    </message>
    <message>
        <source>rename field &apos;%1&apos; to &apos;%2&apos; is %3!</source>
        <translation>将字段“%1”重命名为“%2”%3！</translation>
    </message>
</context>
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation>表单</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>limit first k</source>
        <translation>仅取前 k 行</translation>
    </message>
    <message>
        <source>filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>post operate</source>
        <translation>后处理</translation>
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
        <translation>数字显示方式</translation>
    </message>
    <message>
        <source>Nor</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>十进制</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>二进制</translation>
    </message>
    <message>
        <source>immediate mode</source>
        <translation>即时模式</translation>
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
        <translation>导出</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>查找文本</translation>
    </message>
    <message>
        <source>ctrl+f</source>
        <translation>ctrl+f</translation>
    </message>
    <message>
        <source>replace text</source>
        <translation>替换文本</translation>
    </message>
    <message>
        <source>ctrl+h</source>
        <translation>ctrl+h</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>post processing</source>
        <translation>后处理</translation>
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
        <translation>建模</translation>
    </message>
    <message>
        <source>visualization</source>
        <translation>可视化</translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation>未提交的修改</translation>
    </message>
    <message>
        <source>apply the pending changes?</source>
        <translation>应用未提交的修改吗？</translation>
    </message>
    <message>
        <source>the query failed.</source>
        <translation>查询失败。</translation>
    </message>
    <message>
        <source>the query failed: %1</source>
        <translation>查询失败：%1</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>(limit reached)</source>
        <translation>（已达上限）</translation>
    </message>
    <message>
        <source>the changes were not applied; they are still pending.</source>
        <translation>修改未能应用，仍保留待提交。</translation>
    </message>
    <message>
        <source>the changes were not applied (%1); they are still pending.</source>
        <translation>修改未能应用（%1），仍保留待提交。</translation>
    </message>
    <message>
        <source>export view data</source>
        <translation>导出视图数据</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>导出表结果</translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>导出表“%1”到文件“%2”%3！</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
</context>
<context>
    <name>db_access</name>
    <message>
        <source>not logged in</source>
        <translation>未登录</translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>format</source>
        <translation>格式</translation>
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
        <translation>分隔符</translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation>替换模式</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>服务器上的路径，相对于服务器的文件目录</translation>
    </message>
    <message>
        <source>space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>export path information</source>
        <translation>导出路径提示</translation>
    </message>
    <message>
        <source>import path information</source>
        <translation>导入路径提示</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>输入的路径为空。</translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>服务器上的路径，相对于服务器的文件目录</translation>
    </message>
    <message>
        <source>table path information</source>
        <translation>表路径提示</translation>
    </message>
    <message>
        <source>the input table&apos;s path is empty.</source>
        <translation>输入的表路径为空。</translation>
    </message>
</context>
<context>
    <name>login_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>set as default</source>
        <translation>设为默认</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Vela 数据库登录&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;用户：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;密码：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;端口：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>invalid ip</source>
        <translation>无效的IP地址</translation>
    </message>
    <message>
        <source>invalid port</source>
        <translation>无效的端口</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>invalid user or password</source>
        <translation>用户名或密码错误</translation>
    </message>
</context>
<context>
    <name>replace_mode</name>
    <message>
        <source>replace mode information</source>
        <translation>替换模式提示</translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style=&apos;color:orange&apos;&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation>注意：替换模式将&lt;span style=&apos;color:orange&apos;&gt;覆盖已有文件&lt;/span&gt;，继续吗？</translation>
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
        <translation>第 %1 条，共 %2 条</translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>服务器上的路径，相对于服务器的文件目录</translation>
    </message>
    <message>
        <source>Replace Mode</source>
        <translation>替换模式</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>路径提示</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>输入的路径为空。</translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正则表达式</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>支持(\n,\r,\x)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>全词匹配</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>区分大小写</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>查找全部</translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation>仅选中内容</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>全部替换</translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation>在当前窗口中替换文本</translation>
    </message>
    <message>
        <source>find text in current windows</source>
        <translation>在当前窗口中查找文本</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>查找结果</translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation>正则表达式无效：%1</translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation>查找已停止：%1</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>下一个查找结果</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>上一个查找结果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation>未找到字符串“%1”。</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>下一个查找结果</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>上一个查找结果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation>未找到字符串“%1”。从开头继续查找吗？</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation>未找到字符串“%1”。从末尾继续查找吗？</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation>字符串“%1”找到 %2 次。</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>替换结果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation>字符串“%1”已替换 %2 次。</translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正则表达式</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>支持(\n,\r,\x)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>区分大小写</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>全词匹配</translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation>范围</translation>
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
        <translation>无</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>查找全部</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>全部替换</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>查找结果</translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation>正则表达式无效：%1</translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation>查找已停止：%1</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation>未找到字符串“%1”。</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation>字符串“%1”找到 %2 次。</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>下一个查找结果</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>上一个查找结果</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>下一个查找结果</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>上一个查找结果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation>未找到字符串“%1”。从开头继续查找吗？</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation>未找到字符串“%1”。从末尾继续查找吗？</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>替换结果</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation>字符串“%1”已替换 %2 次。</translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation>在当前表中替换文本</translation>
    </message>
    <message>
        <source>find text in current table</source>
        <translation>在当前表中查找文本</translation>
    </message>
</context>
<context>
    <name>sql_script_editor</name>
    <message>
        <source>Form</source>
        <translation>表单</translation>
    </message>
    <message>
        <source>execute(&amp;e)</source>
        <translation>执行(&amp;E)</translation>
    </message>
    <message>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Return</translation>
    </message>
    <message>
        <source>copy current text</source>
        <translation>复制当前文本</translation>
    </message>
    <message>
        <source>close all</source>
        <translation>全部关闭</translation>
    </message>
    <message>
        <source>close current</source>
        <translation>关闭当前</translation>
    </message>
    <message>
        <source>export current data</source>
        <translation>导出当前数据</translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation>SQL 解析失败</translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation>SQL 在位置 %1 处解析失败</translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation>执行信息</translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation>SQL“%1”执行失败！</translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation>执行在第 %1 条（共 %2 条）语句后停止。</translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation>全部 SQL 执行成功！</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>查找文本</translation>
    </message>
    <message>
        <source>%1 rows, %2 columns in %3 ms</source>
        <translation>%1 行，%2 列，用时 %3 毫秒</translation>
    </message>
    <message>
        <source>export current windows execute result to csv/csvs file</source>
        <translation>将当前窗口的执行结果导出到 csv/csvs 文件</translation>
    </message>
</context>
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation>系统首选项</translation>
    </message>
    <message>
        <source>editor</source>
        <translation>编辑器</translation>
    </message>
    <message>
        <source>update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source> style</source>
        <translation> 样式</translation>
    </message>
    <message>
        <source>theme</source>
        <translation>主题</translation>
    </message>
    <message>
        <source> elegant</source>
        <translation> 典雅</translation>
    </message>
    <message>
        <source>fresh</source>
        <translation>清新</translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation>悠闲</translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation>重置(&amp;R)</translation>
    </message>
    <message>
        <source>show space</source>
        <translation>显示空格</translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation>垂直系数</translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation>水平系数</translation>
    </message>
    <message>
        <source>point size</source>
        <translation>字号</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Overline</source>
        <translation>上划线</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation>删除线</translation>
    </message>
    <message>
        <source>color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation>制表符宽度：</translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation>以空格插入</translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation>连续编辑合并时间</translation>
    </message>
    <message>
        <source>second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation>编辑光标</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>自动补全</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>least count</source>
        <translation>最少字符数</translation>
    </message>
    <message>
        <source>Only SQL</source>
        <translation>仅限 SQL</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation>应用(&amp;A)</translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation>默认关键字</translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation>读关键字</translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation>写关键字</translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation>后处理关键字</translation>
    </message>
    <message>
        <source>function</source>
        <translation>函数</translation>
    </message>
    <message>
        <source>table name</source>
        <translation>表名</translation>
    </message>
    <message>
        <source>field name</source>
        <translation>字段名</translation>
    </message>
    <message>
        <source>constant</source>
        <translation>常量</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>注释</translation>
    </message>
</context>
</TS>
