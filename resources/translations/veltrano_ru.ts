<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CFftOptions</name>
    <message>
        <source>Instant</source>
        <translation>Мгновенно</translation>
    </message>
    <message>
        <source>x2</source>
        <translation>x2</translation>
    </message>
    <message>
        <source>x4</source>
        <translation>x4</translation>
    </message>
    <message>
        <source>x8</source>
        <translation>x8</translation>
    </message>
    <message>
        <source>x16</source>
        <translation>x16</translation>
    </message>
    <message>
        <source>x32</source>
        <translation>x32</translation>
    </message>
    <message>
        <source>x64</source>
        <translation>x64</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Пик</translation>
    </message>
    <message>
        <source>Peak x8</source>
        <translation>Пик x8</translation>
    </message>
    <message>
        <source>Peak x16</source>
        <translation>Пик x16</translation>
    </message>
    <message>
        <source>Peak x32</source>
        <translation>Пик x32</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>Gaussian</source>
        <translation>Гаусса</translation>
    </message>
    <message>
        <source>Flat top</source>
        <translation>С плоской вершиной</translation>
    </message>
    <message>
        <source>Hamming</source>
        <translation>Хэмминга</translation>
    </message>
    <message>
        <source>Bartlett</source>
        <translation>Бартлетта</translation>
    </message>
    <message>
        <source>Bartlet-Hanning</source>
        <translation>Бартлетта-Ханна</translation>
    </message>
    <message>
        <source>Hanning</source>
        <translation>Ханна</translation>
    </message>
    <message>
        <source>Parzen</source>
        <translation>Парзена</translation>
    </message>
    <message>
        <source>Bohman</source>
        <translation>Бомана</translation>
    </message>
    <message>
        <source>Blackman</source>
        <translation>Блэкмана</translation>
    </message>
    <message>
        <source>Blackman-Harris</source>
        <translation>Блэкмана-Харриса</translation>
    </message>
</context>
<context>
    <name>CParameters</name>
    <message>
        <source>The settings could not be read and were reset to the defaults. The damaged file was kept as %1.</source>
        <translation>Не удалось прочитать настройки, восстановлены значения по умолчанию. Повреждённый файл сохранён как %1.</translation>
    </message>
    <message>
        <source>The settings could not be read and the defaults are used. The damaged file %1 could not be copied aside, so it is left as it is and this session&apos;s settings are not saved.</source>
        <translation>Не удалось прочитать настройки, используются значения по умолчанию. Повреждённый файл %1 не удалось скопировать, поэтому он оставлен как есть, а настройки этого сеанса не будут сохранены.</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. The file there was left as it was.</source>
        <translation>Не удалось сохранить настройки в %1. Файл оставлен без изменений.</translation>
    </message>
    <message>
        <source>The parameter file %1 could not be loaded: %2. The current settings were saved instead.</source>
        <translation>Не удалось загрузить файл параметров %1: %2. Вместо него сохранены текущие настройки.</translation>
    </message>
    <message>
        <source>The parameters could not be saved to %1: %2.</source>
        <translation>Не удалось сохранить параметры в %1: %2.</translation>
    </message>
</context>
<context>
    <name>CUtils</name>
    <message>
        <source>%1 dBm</source>
        <translation>%1 дБм</translation>
    </message>
    <message>
        <source>ns</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>us</source>
        <translation>мкс</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
    </message>
    <message>
        <source>kHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>nV</source>
        <translation>нВ</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>мкВ</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
    <message>
        <source>V</source>
        <translation>В</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
</context>
</TS>
