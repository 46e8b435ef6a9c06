<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Widget</name>
    <message>
        <source> 保存配置</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source> 延时：</source>
        <translation>Delay:</translation>
    </message>
    <message>
        <source> 查看配置</source>
        <translation>View settings</translation>
    </message>
    <message>
        <source> 请连接设备！</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Alt+鼠标向上</source>
        <translation>Alt+Mouse Up</translation>
    </message>
    <message>
        <source>Alt+鼠标向下</source>
        <translation>Alt+Mouse Down</translation>
    </message>
    <message>
        <source>Ctrl+鼠标向上</source>
        <translation>Ctrl+Mouse Up</translation>
    </message>
    <message>
        <source>Ctrl+鼠标向下</source>
        <translation>Ctrl+Mouse Down</translation>
    </message>
    <message>
        <source>LED模式0</source>
        <translation>LED Mode0</translation>
    </message>
    <message>
        <source>LED模式1</source>
        <translation>LED Mode1</translation>
    </message>
    <message>
        <source>LED模式2</source>
        <translation>LED Mode2</translation>
    </message>
    <message>
        <source>LED模式3</source>
        <translation>LED Mode3</translation>
    </message>
    <message>
        <source>LED模式4</source>
        <translation>LED Mode4</translation>
    </message>
    <message>
        <source>LED模式5</source>
        <translation>LED Mode5</translation>
    </message>
    <message>
        <source>RGB页</source>
        <translation>RGB LED</translation>
    </message>
    <message>
        <source>Shift+鼠标向上</source>
        <translation>Shift+Mouse Up</translation>
    </message>
    <message>
        <source>Shift+鼠标向下</source>
        <translation>Shift+Mouse Down</translation>
    </message>
    <message>
        <source>上一曲</source>
        <translation>Previous track</translation>
    </message>
    <message>
        <source>下一曲</source>
        <translation>Next track</translation>
    </message>
    <message>
        <source>低音+</source>
        <translation>Bass+</translation>
    </message>
    <message>
        <source>低音-</source>
        <translation>Bass-</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>基础按键</source>
        <translation>BaseKeys</translation>
    </message>
    <message>
        <source>多媒体</source>
        <translation>MutiMedia</translation>
    </message>
    <message>
        <source>层级：</source>
        <translation>LAYER:</translation>
    </message>
    <message>
        <source>屏幕亮度+</source>
        <translation>Screen brightness+</translation>
    </message>
    <message>
        <source>屏幕亮度-</source>
        <translation>Screen brightness-</translation>
    </message>
    <message>
        <source>延时</source>
        <translation>DelaySetting</translation>
    </message>
    <message>
        <source>我的电脑</source>
        <translation>My Computer</translation>
    </message>
    <message>
        <source>打开媒体</source>
        <translation>Multimedia</translation>
    </message>
    <message>
        <source>打开浏览器</source>
        <translation>WWW home</translation>
    </message>
    <message>
        <source>打开计算器</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>打开邮件</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>clear</translation>
    </message>
    <message>
        <source>清除全部</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>网页刷新</source>
        <translation>WWW Pagerefresh</translation>
    </message>
    <message>
        <source>网页前进</source>
        <translation>WWW Pageforward</translation>
    </message>
    <message>
        <source>网页后退</source>
        <translation>WWW Pageback</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>音量+</source>
        <translation>Volume+</translation>
    </message>
    <message>
        <source>音量-</source>
        <translation>Volume-</translation>
    </message>
    <message>
        <source>高音+</source>
        <translation>Treble+</translation>
    </message>
    <message>
        <source>高音-</source>
        <translation>Treble-</translation>
    </message>
    <message>
        <source>鼠标</source>
        <translation>Mouse</translation>
    </message>
    <message>
        <source>鼠标中键</source>
        <translation>Mouse Middle</translation>
    </message>
    <message>
        <source>鼠标右键</source>
        <translation>Mouse Right</translation>
    </message>
    <message>
        <source>鼠标左键</source>
        <translation>Mouse LeftKey</translation>
    </message>
    <message>
        <source>鼠标滚轮+</source>
        <translation>Mouse Wheel+</translation>
    </message>
    <message>
        <source>鼠标滚轮-</source>
        <translation>Mouse Wheel-</translation>
    </message>
</context>
</TS>
