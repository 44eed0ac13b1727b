<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>marvostel</name>
    <message>
        <source>ｹﾞｰﾑ(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>ｹﾞｰﾑ開始(&amp;S)</source>
        <translation>&amp;Start Game</translation>
    </message>
    <message>
        <source>ﾍﾞｽﾄﾌﾟﾚｲ再生(&amp;R)</source>
        <translation>Watch the Best &amp;Run</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>BGM 有無</source>
        <translation>&amp;Music</translation>
    </message>
    <message>
        <source>BGM有り</source>
        <translation>Music &amp;On</translation>
    </message>
    <message>
        <source>BGM無し</source>
        <translation>Music O&amp;ff</translation>
    </message>
    <message>
        <source>曲目変更</source>
        <translation>&amp;Track</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>MARVOSTEL ﾍﾙﾌﾟ(&amp;H)...</source>
        <translation>MARVOSTEL &amp;Help...</translation>
    </message>
    <message>
        <source>公式ｻﾎﾟｰﾄﾍﾟｰｼﾞ(&amp;W)...</source>
        <translation>Official Support &amp;Web Page...</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About MARVOSTEL...</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About MARVOSTEL</translation>
    </message>
    <message>
        <source>クリックすることでスタッフロールを見る事が出来ます。</source>
        <translation>Click to see the staff roll.</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報を閉じる</source>
        <translation>Close the About window</translation>
    </message>
    <message>
        <source>Ｗｅｂブラウザの起動に失敗しました。</source>
        <translation>The web browser could not be started.</translation>
    </message>
    <message>
        <source>ブラウザ起動エラー</source>
        <translation>Browser Error</translation>
    </message>
    <message>
        <source>MARVOSTEL ﾍﾙﾌﾟ</source>
        <translation>MARVOSTEL Help</translation>
    </message>
    <message>
        <source>ﾎﾟｰｽﾞ(&amp;P)</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>表示(&amp;D)</source>
        <translation>&amp;Display</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>等倍(&amp;A)</source>
        <translation>&amp;Actual Size</translation>
    </message>
    <message>
        <source>全画面表示(&amp;F)</source>
        <translation>&amp;Full Screen</translation>
    </message>
    <message>
        <source>ﾜﾝﾎﾞﾀﾝｽﾀｰﾄ(&amp;B)</source>
        <translation>One-&amp;Button Start</translation>
    </message>
    <message>
        <source>長押しは1回だけ回転(&amp;H)</source>
        <translation>&amp;Held Key Turns Once</translation>
    </message>
    <message>
        <source>ｽﾋﾟｰﾄﾞ(&amp;P)</source>
        <translation>S&amp;peed</translation>
    </message>
    <message>
        <source>100%(&amp;1)</source>
        <translation>&amp;100%</translation>
    </message>
    <message>
        <source>75%(&amp;7)</source>
        <translation>&amp;75%</translation>
    </message>
    <message>
        <source>50%(&amp;5)</source>
        <translation>&amp;50%</translation>
    </message>
    <message>
        <source>ﾌｫｰｶｽを失ったらﾎﾟｰｽﾞ(&amp;L)</source>
        <translation>Pause When Focus Is &amp;Lost</translation>
    </message>
    <message>
        <source>ｹﾞｰﾑの合間にﾍﾞｽﾄﾌﾟﾚｲを表示(&amp;W)</source>
        <translation>Sho&amp;w the Best Run Between Games</translation>
    </message>
    <message>
        <source>TIDAL ARCADE</source>
        <translation>&amp;TIDAL ARCADE</translation>
    </message>
    <message>
        <source>UNDERTOW</source>
        <translation>&amp;UNDERTOW</translation>
    </message>
</context>
</TS>
