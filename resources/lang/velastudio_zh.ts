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
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:15pt; font-weight:600;"&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:15pt; font-weight:600;"&gt;Vela 数据库登录&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;用户：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;密码：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;IP：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;端口：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
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
</TS>
