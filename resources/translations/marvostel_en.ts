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
        <translation>Music</translation>
    </message>
    <message>
        <source>BGM有り</source>
        <translation>Music On</translation>
    </message>
    <message>
        <source>BGM無し</source>
        <translation>Music Off</translation>
    </message>
    <message>
        <source>曲目変更</source>
        <translation>Track</translation>
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
</context>
</TS>
