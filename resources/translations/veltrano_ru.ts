<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CAboutWindow</name>
    <message>
        <source>Version </source>
        <translation>Версия </translation>
    </message>
</context>
<context>
    <name>CAboutWindowClass</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>&lt;AppName&gt;</source>
        <translation>&lt;AppName&gt;</translation>
    </message>
    <message>
        <source>&lt;Version&gt;</source>
        <translation>&lt;Version&gt;</translation>
    </message>
    <message>
        <source>Copyright (C) Tarvolen. All rights reserved.</source>
        <translation>Copyright (C) Tarvolen. Все права защищены.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CAnalysisWindow</name>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Excess</source>
        <translation>Превышение</translation>
    </message>
    <message>
        <source>Ident</source>
        <translation>Идент.</translation>
    </message>
</context>
<context>
    <name>CAnalysisWindowClass</name>
    <message>
        <source>Full Range Analysis</source>
        <translation>Анализ полного диапазона</translation>
    </message>
    <message>
        <source>Analyze</source>
        <translation>Анализировать</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
</context>
<context>
    <name>CArchiveEntryFactory</name>
    <message>
        <source>Failed to add an entry to the archive!</source>
        <translation>Не удалось добавить запись в архив!</translation>
    </message>
</context>
<context>
    <name>CArchiveWindow</name>
    <message>
        <source>Signals Archive</source>
        <translation>Архив сигналов</translation>
    </message>
    <message>
        <source>Signal Groups</source>
        <translation>Группы сигналов</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Signals in selected group</source>
        <translation>Сигналы выбранной группы</translation>
    </message>
    <message>
        <source>0 signals</source>
        <translation>Сигналов: 0</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Excess</source>
        <translation>Превышение</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <source>Range Image</source>
        <translation>Снимок диапазона</translation>
    </message>
    <message>
        <source>IF Image</source>
        <translation>Снимок ПЧ</translation>
    </message>
    <message>
        <source>Demod Image</source>
        <translation>Снимок демодуляции</translation>
    </message>
    <message>
        <source>Signal Recording</source>
        <translation>Запись сигнала</translation>
    </message>
    <message>
        <source>Sound Recording</source>
        <translation>Запись звука</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Источник</translation>
    </message>
    <message>
        <source>New Signals</source>
        <translation>Новые сигналы</translation>
    </message>
    <message>
        <source>Legal Signals</source>
        <translation>Разрешённые сигналы</translation>
    </message>
    <message>
        <source>Dangerous Signals</source>
        <translation>Опасные сигналы</translation>
    </message>
    <message>
        <source>Suspicious Signals</source>
        <translation>Подозрительные сигналы</translation>
    </message>
    <message>
        <source>Failed to load the archive!</source>
        <translation>Не удалось загрузить архив!</translation>
    </message>
    <message>
        <source>The file was copied to %1.</source>
        <translation>Файл скопирован в %1.</translation>
    </message>
    <message>
        <source>All Signals</source>
        <translation>Все сигналы</translation>
    </message>
    <message>
        <source>Predefined Groups</source>
        <translation>Стандартные группы</translation>
    </message>
    <message>
        <source>User Groups</source>
        <translation>Группы пользователя</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>%1 signals</source>
        <translation>Сигналов: %1</translation>
    </message>
    <message>
        <source>Failed to fill the list!</source>
        <translation>Не удалось заполнить список!</translation>
    </message>
    <message>
        <source>Failed to save the archive!</source>
        <translation>Не удалось сохранить архив!</translation>
    </message>
</context>
<context>
    <name>CDdcView</name>
    <message>
        <source>Band Measurements</source>
        <translation>Измерения в полосе</translation>
    </message>
</context>
<context>
    <name>CDdcWavWriterWindow</name>
    <message>
        <source>Save DDC WAV File</source>
        <translation>Сохранение WAV-файла DDC</translation>
    </message>
    <message>
        <source>Waveform Audio (*.wav)</source>
        <translation>Звук WAV (*.wav)</translation>
    </message>
    <message>
        <source>No file specified!</source>
        <translation>Файл не указан!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Writing DDC data</source>
        <translation>Запись данных DDC</translation>
    </message>
    <message>
        <source>%1% lost</source>
        <translation>потеряно %1%</translation>
    </message>
</context>
<context>
    <name>CDdcWavWriterWindowClass</name>
    <message>
        <source>DDC WAV Writer</source>
        <translation>Запись DDC в WAV</translation>
    </message>
    <message>
        <source>WAV file path:</source>
        <translation>Путь к WAV-файлу:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Bits</source>
        <translation>Разрядность</translation>
    </message>
    <message>
        <source>24-bit samples</source>
        <translation>24-битные отсчёты</translation>
    </message>
    <message>
        <source>16-bit samples</source>
        <translation>16-битные отсчёты</translation>
    </message>
    <message>
        <source>Normalize</source>
        <translation>Нормировать</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
</context>
<context>
    <name>CDemodView</name>
    <message>
        <source>Demodulation Measurements</source>
        <translation>Измерения демодуляции</translation>
    </message>
</context>
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
    <name>CGsmAnalysisWindow</name>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
</context>
<context>
    <name>CGsmAnalysisWindowClass</name>
    <message>
        <source>GSM Mode</source>
        <translation>Режим GSM</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Start Freq.:</source>
        <translation>Нач. частота:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Число каналов:</translation>
    </message>
    <message>
        <source>Bandwidth:</source>
        <translation>Полоса:</translation>
    </message>
    <message>
        <source>Histogram Averaging</source>
        <translation>Усреднение гистограммы</translation>
    </message>
    <message>
        <source>Aver. Count:</source>
        <translation>Число усреднений:</translation>
    </message>
    <message>
        <source>Averaging in channel</source>
        <translation>Усреднение в канале</translation>
    </message>
    <message>
        <source>GSM Analysis</source>
        <translation>Анализ GSM</translation>
    </message>
    <message>
        <source>GSM 900</source>
        <translation>GSM 900</translation>
    </message>
    <message>
        <source>GSM 1800</source>
        <translation>GSM 1800</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Пик</translation>
    </message>
    <message>
        <source>Arithm. Average</source>
        <translation>Ср. арифметическое</translation>
    </message>
    <message>
        <source>RMS Average</source>
        <translation>Ср. квадратичное</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
</context>
<context>
    <name>CInputRangeDialogClass</name>
    <message>
        <source>Range Input</source>
        <translation>Ввод диапазона</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>TextLabel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>CInternalsWindow</name>
    <message>
        <source>Open DBM corrections</source>
        <translation>Открыть поправки дБм</translation>
    </message>
    <message>
        <source>Open oscilloscope corrections</source>
        <translation>Открыть поправки осциллографа</translation>
    </message>
    <message>
        <source>Open ADF corrections</source>
        <translation>Открыть поправки ADF</translation>
    </message>
    <message>
        <source>Corrections files (*.dat)</source>
        <translation>Файлы поправок (*.dat)</translation>
    </message>
    <message>
        <source>Failed to load corrections data file!</source>
        <translation>Не удалось загрузить файл поправок!</translation>
    </message>
    <message>
        <source>Save DBM corrections</source>
        <translation>Сохранить поправки дБм</translation>
    </message>
    <message>
        <source>Save oscilloscope corrections</source>
        <translation>Сохранить поправки осциллографа</translation>
    </message>
    <message>
        <source>Save ADF corrections</source>
        <translation>Сохранить поправки ADF</translation>
    </message>
    <message>
        <source>Failed to write corrections data file!</source>
        <translation>Не удалось записать файл поправок!</translation>
    </message>
    <message>
        <source>Wrong value in row &quot;%1&quot;, column &quot;%2&quot;!</source>
        <translation>Неверное значение в строке &quot;%1&quot;, столбце &quot;%2&quot;!</translation>
    </message>
</context>
<context>
    <name>CInternalsWindowClass</name>
    <message>
        <source>Internals</source>
        <translation>Внутренние параметры</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Импорт...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Show Osc Button</source>
        <translation>Показывать кнопку осциллограммы</translation>
    </message>
    <message>
        <source>Use DDC FFT Correction</source>
        <translation>Использовать коррекцию БПФ DDC</translation>
    </message>
    <message>
        <source>CycleDelay:</source>
        <translation>CycleDelay:</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>Имя устройства:</translation>
    </message>
    <message>
        <source>ClkDivCnt</source>
        <translation>ClkDivCnt</translation>
    </message>
</context>
<context>
    <name>CKnownFreqRanges2Window</name>
    <message>
        <source>do nothing</source>
        <translation>не переключать</translation>
    </message>
</context>
<context>
    <name>CKnownFreqRanges2WindowClass</name>
    <message>
        <source>World region:</source>
        <translation>Регион:</translation>
    </message>
    <message>
        <source>Frequency Ranges</source>
        <translation>Диапазоны частот</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Европа</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Италия</translation>
    </message>
    <message>
        <source>Indonesia</source>
        <translation>Индонезия</translation>
    </message>
    <message>
        <source>Korea</source>
        <translation>Корея</translation>
    </message>
    <message>
        <source>Americas</source>
        <translation>Америка</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Start Freq</source>
        <translation>Нач. частота</translation>
    </message>
    <message>
        <source>End Freq</source>
        <translation>Кон. частота</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Переключатель</translation>
    </message>
</context>
<context>
    <name>CKnownFreqRangesWindowClass</name>
    <message>
        <source>Frequency Ranges OLD</source>
        <translation>Диапазоны частот (стар.)</translation>
    </message>
    <message>
        <source>Select mobile</source>
        <translation>Выбрать мобильные</translation>
    </message>
    <message>
        <source>Select base</source>
        <translation>Выбрать базовые</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Start Freq</source>
        <translation>Нач. частота</translation>
    </message>
    <message>
        <source>End Freq</source>
        <translation>Кон. частота</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Шаг</translation>
    </message>
    <message>
        <source>Start Channel</source>
        <translation>Нач. канал</translation>
    </message>
    <message>
        <source>End Channel</source>
        <translation>Кон. канал</translation>
    </message>
    <message>
        <source>Averaging</source>
        <translation>Усреднение</translation>
    </message>
</context>
<context>
    <name>CMeasurementsWindow</name>
    <message>
        <source>Frequency measurements:</source>
        <translation>Измерения частоты:</translation>
    </message>
    <message>
        <source>Max frequency</source>
        <translation>Частота максимума</translation>
    </message>
    <message>
        <source>Max freq. level</source>
        <translation>Уровень на частоте максимума</translation>
    </message>
    <message>
        <source>Level measurements:</source>
        <translation>Измерения уровня:</translation>
    </message>
    <message>
        <source>Integral level</source>
        <translation>Интегральный уровень</translation>
    </message>
    <message>
        <source>Cursor measurements:</source>
        <translation>Измерения между курсорами:</translation>
    </message>
    <message>
        <source>Max cursor freq.</source>
        <translation>Частота максимума (курсоры)</translation>
    </message>
    <message>
        <source>Max cursor level</source>
        <translation>Уровень максимума (курсоры)</translation>
    </message>
    <message>
        <source>Cursor integral level</source>
        <translation>Интегральный уровень (курсоры)</translation>
    </message>
    <message>
        <source>RMS level</source>
        <translation>Уровень СКЗ</translation>
    </message>
    <message>
        <source>Peak-peak level</source>
        <translation>Размах</translation>
    </message>
    <message>
        <source>Max level</source>
        <translation>Макс. уровень</translation>
    </message>
    <message>
        <source>Disp. level</source>
        <translation>Дисперсия уровня</translation>
    </message>
    <message>
        <source>Max level freq.</source>
        <translation>Частота макс. уровня</translation>
    </message>
    <message>
        <source>RMS Level I</source>
        <translation>Уровень СКЗ I</translation>
    </message>
    <message>
        <source>Peak-peak level I</source>
        <translation>Размах I</translation>
    </message>
    <message>
        <source>Max level I</source>
        <translation>Макс. уровень I</translation>
    </message>
    <message>
        <source>Mean level I</source>
        <translation>Средний уровень I</translation>
    </message>
    <message>
        <source>RMS Level Q</source>
        <translation>Уровень СКЗ Q</translation>
    </message>
    <message>
        <source>Peak-peak level Q</source>
        <translation>Размах Q</translation>
    </message>
    <message>
        <source>Max level Q</source>
        <translation>Макс. уровень Q</translation>
    </message>
    <message>
        <source>Mean level Q</source>
        <translation>Средний уровень Q</translation>
    </message>
    <message>
        <source>Disp. level I</source>
        <translation>Дисперсия уровня I</translation>
    </message>
    <message>
        <source>Disp. level Q</source>
        <translation>Дисперсия уровня Q</translation>
    </message>
</context>
<context>
    <name>CMeasurementsWindowClass</name>
    <message>
        <source>Measurements</source>
        <translation>Измерения</translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Select...</source>
        <translation>Выбрать...</translation>
    </message>
</context>
<context>
    <name>CMemoryWindow</name>
    <message>
        <source>The changed memory data has NOT been saved. Do you want to save it?</source>
        <translation>Изменённые данные памяти НЕ сохранены. Сохранить их?</translation>
    </message>
    <message>
        <source>Before pressing OK button, choose &apos;Memory data transfer&apos; on the Morvik device&apos;s start menu. You must see the message &apos;Memory data transfer...&apos; on the screen. (Important: The version of the Morvik firmware must be 1.8.00 or above)</source>
        <translation>Перед нажатием кнопки OK выберите пункт &apos;Memory data transfer&apos; в стартовом меню прибора Morvik. На экране должно появиться сообщение &apos;Memory data transfer...&apos;. (Важно: версия микропрограммы Morvik должна быть 1.8.00 или выше)</translation>
    </message>
    <message>
        <source>The previous memory data has NOT been saved. Do you want to download new memory data?</source>
        <translation>Предыдущие данные памяти НЕ сохранены. Считать новые данные памяти?</translation>
    </message>
    <message>
        <source>There is NO pattern. Use &apos;Load&apos; button and make sure you see some pattern on the screen.</source>
        <translation>Шаблон ОТСУТСТВУЕТ. Нажмите кнопку «Загрузить» и убедитесь, что шаблон виден на экране.</translation>
    </message>
    <message>
        <source>This pattern just has been downloaded from the memory of the Morvik. To upload a new pattern use &apos;Load&apos; button.</source>
        <translation>Этот шаблон только что считан из памяти Morvik. Чтобы записать новый шаблон, нажмите кнопку «Загрузить».</translation>
    </message>
    <message>
        <source>The pattern file must be loaded before. Use &apos;Load&apos; button.</source>
        <translation>Сначала нужно загрузить файл шаблона. Нажмите кнопку «Загрузить».</translation>
    </message>
    <message>
        <source>The pattern in the loaded file is incomplete. Nothing was sent.</source>
        <translation>Шаблон в загруженном файле неполный. Ничего не отправлено.</translation>
    </message>
    <message>
        <source>The operation was done successfully.</source>
        <translation>Операция выполнена успешно.</translation>
    </message>
    <message>
        <source>NO DATA</source>
        <translation>НЕТ ДАННЫХ</translation>
    </message>
    <message>
        <source>Load memory data</source>
        <translation>Загрузка данных памяти</translation>
    </message>
    <message>
        <source>Memory files (*.mem)</source>
        <translation>Файлы памяти (*.mem)</translation>
    </message>
    <message>
        <source>The memory data must be loaded before. Use &apos;Download from Morvik&apos; button.</source>
        <translation>Сначала нужно считать данные памяти. Нажмите кнопку «Считать из Morvik».</translation>
    </message>
    <message>
        <source>Save memory data</source>
        <translation>Сохранение данных памяти</translation>
    </message>
    <message>
        <source>Failed to save the memory data!</source>
        <translation>Не удалось сохранить данные памяти!</translation>
    </message>
</context>
<context>
    <name>CMemoryWindowClass</name>
    <message>
        <source>Internal Memory of the Morvik</source>
        <translation>Внутренняя память Morvik</translation>
    </message>
    <message>
        <source>Download from Morvik</source>
        <translation>Считать из Morvik</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <source>Upload the pattern to Morvik</source>
        <translation>Записать шаблон в Morvik</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>CMonitoring2Window</name>
    <message>
        <source>Monitoring Window</source>
        <translation>Мониторинг</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Wrong frequency range!</source>
        <translation>Неверный диапазон частот!</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Новое задание</translation>
    </message>
</context>
<context>
    <name>CMonitoringWindow</name>
    <message>
        <source>Monitoring Window</source>
        <translation>Мониторинг</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>Новое задание</translation>
    </message>
</context>
<context>
    <name>CNewSignalEntryDialog</name>
    <message>
        <source>Add Signal to Archive</source>
        <translation>Добавить сигнал в архив</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Комментарий:</translation>
    </message>
</context>
<context>
    <name>CNoConnectionWindow</name>
    <message>
        <source>Veltrano</source>
        <translation>Veltrano</translation>
    </message>
    <message>
        <source>There was no response from the device. Do you want to switch to DEMO mode?</source>
        <translation>Устройство не отвечает. Перейти в ДЕМО-режим?</translation>
    </message>
    <message>
        <source>Switch to DEMO mode</source>
        <translation>Перейти в ДЕМО-режим</translation>
    </message>
    <message>
        <source>Keep waiting</source>
        <translation>Ждать дальше</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>CNoiseQualityWindow</name>
    <message>
        <source>Noise Quality</source>
        <translation>Качество шума</translation>
    </message>
    <message>
        <source>Entropy</source>
        <translation>Энтропия</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Entropy Coef</source>
        <translation>Коэф. энтропии</translation>
    </message>
</context>
<context>
    <name>COctaveFiltersWindow</name>
    <message>
        <source>Octave Filters</source>
        <translation>Октавные фильтры</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>octave filters</source>
        <translation>октавные фильтры</translation>
    </message>
    <message>
        <source>1/3 octave filters</source>
        <translation>1/3-октавные фильтры</translation>
    </message>
    <message>
        <source>Autozero</source>
        <translation>Автоноль</translation>
    </message>
    <message>
        <source>Max Range</source>
        <translation>Макс. диапазон</translation>
    </message>
    <message>
        <source>60 dB</source>
        <translation>60 дБ</translation>
    </message>
    <message>
        <source>120 dB</source>
        <translation>120 дБ</translation>
    </message>
</context>
<context>
    <name>COptionsWindow</name>
    <message>
        <source>Save Waterfall Buffer As</source>
        <translation>Сохранить буфер водопада как</translation>
    </message>
    <message>
        <source>Buffer files (*.rwb)</source>
        <translation>Файлы буфера (*.rwb)</translation>
    </message>
    <message>
        <source>Buffer files (*.dwb)</source>
        <translation>Файлы буфера (*.dwb)</translation>
    </message>
    <message>
        <source>Buffer files (*.mwb)</source>
        <translation>Файлы буфера (*.mwb)</translation>
    </message>
</context>
<context>
    <name>COptionsWindowClass</name>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Full Range Options</source>
        <translation>Параметры полного диапазона</translation>
    </message>
    <message>
        <source>Band Options</source>
        <translation>Параметры полосы</translation>
    </message>
    <message>
        <source>Demodulation Options</source>
        <translation>Параметры демодуляции</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>Спектр</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Show Envelope</source>
        <translation>Показывать огибающую</translation>
    </message>
    <message>
        <source>Waterfall</source>
        <translation>Водопад</translation>
    </message>
    <message>
        <source>Show Spectrum</source>
        <translation>Показывать спектр</translation>
    </message>
    <message>
        <source>Write to buffer</source>
        <translation>Запись в буфер</translation>
    </message>
    <message>
        <source>Recording time available: n/a</source>
        <translation>Доступное время записи: н/д</translation>
    </message>
    <message>
        <source>Input Gain</source>
        <translation>Входное усиление</translation>
    </message>
    <message>
        <source>Connector</source>
        <translation>Разъём</translation>
    </message>
    <message>
        <source>Attenuator</source>
        <translation>Аттенюатор</translation>
    </message>
    <message>
        <source>Direct</source>
        <translation>Напрямую</translation>
    </message>
    <message>
        <source>Amplifier</source>
        <translation>Усилитель</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Включить</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>6-18 GHz</source>
        <translation>6-18 ГГц</translation>
    </message>
    <message>
        <source>Antenna switch</source>
        <translation>Антенный коммутатор</translation>
    </message>
    <message>
        <source>Not available</source>
        <translation>Недоступно</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Ручной</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Полоса</translation>
    </message>
    <message>
        <source>Vector</source>
        <translation>Векторная диаграмма</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Звук</translation>
    </message>
    <message>
        <source>Use AGC</source>
        <translation>Использовать АРУ</translation>
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
    <name>CProgressDialog</name>
    <message>
        <source>Progress</source>
        <translation>Выполнение</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>TextLabel</translation>
    </message>
</context>
<context>
    <name>CPulseWindow</name>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>Pulse Detector Window</source>
        <translation>Детектор импульсов</translation>
    </message>
    <message>
        <source>Start Frequency</source>
        <translation>Начальная частота</translation>
    </message>
    <message>
        <source>End Frequency</source>
        <translation>Конечная частота</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Ед. изм.</translation>
    </message>
    <message>
        <source>Show Envelope</source>
        <translation>Показывать огибающую</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Автоматически</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Вручную</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>No one frequency range specified!</source>
        <translation>Не задан ни один диапазон частот!</translation>
    </message>
    <message>
        <source>Wrong frequency ranges specified!</source>
        <translation>Заданы неверные диапазоны частот!</translation>
    </message>
    <message>
        <source>Digital signals detection started</source>
        <translation>Поиск цифровых сигналов запущен</translation>
    </message>
    <message>
        <source>Searching for digital signals. %1 signals found so far...</source>
        <translation>Поиск цифровых сигналов. Пока найдено сигналов: %1...</translation>
    </message>
</context>
<context>
    <name>CQMultipleRangesSpectrumGraphic</name>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
</context>
<context>
    <name>CQMultipleRangesWaterfallGraphic</name>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
</context>
<context>
    <name>CQOscillogramGraphic</name>
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
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
</context>
<context>
    <name>CQSpectrumGraphic</name>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
</context>
<context>
    <name>CQSpectrumGraphicBase</name>
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
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
</context>
<context>
    <name>CQVectorWindowClass</name>
    <message>
        <source>Vector</source>
        <translation>Векторная диаграмма</translation>
    </message>
</context>
<context>
    <name>CQWaterfallGraphicBase</name>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
</context>
<context>
    <name>CRangeView</name>
    <message>
        <source>Range Measurements</source>
        <translation>Измерения в диапазоне</translation>
    </message>
    <message>
        <source>Show Spectrum</source>
        <translation>Показывать спектр</translation>
    </message>
    <message>
        <source>Enable autoscale</source>
        <translation>Включить автомасштаб</translation>
    </message>
    <message>
        <source>Enable trigger</source>
        <translation>Включить запуск</translation>
    </message>
    <message>
        <source>Set trigger level here</source>
        <translation>Установить уровень запуска здесь</translation>
    </message>
    <message>
        <source>Enable Delta Cursor</source>
        <translation>Включить разностный курсор</translation>
    </message>
    <message>
        <source>Set Max Freq As Band Window Center</source>
        <translation>Центрировать окно полосы на частоте максимума</translation>
    </message>
    <message>
        <source>View measurements...</source>
        <translation>Показать измерения...</translation>
    </message>
    <message>
        <source>Add to Archive...</source>
        <translation>Добавить в архив...</translation>
    </message>
    <message>
        <source>Export as Text...</source>
        <translation>Экспорт в текст...</translation>
    </message>
    <message>
        <source>Export as Image...</source>
        <translation>Экспорт в изображение...</translation>
    </message>
    <message>
        <source>Save Data...</source>
        <translation>Сохранить данные...</translation>
    </message>
    <message>
        <source>Load Data...</source>
        <translation>Загрузить данные...</translation>
    </message>
    <message>
        <source>Data Operation</source>
        <translation>Операция с данными</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Combination</source>
        <translation>Совмещение</translation>
    </message>
    <message>
        <source>Difference: signal-data</source>
        <translation>Разность: сигнал-данные</translation>
    </message>
    <message>
        <source>Cancel Data Operation</source>
        <translation>Отменить операцию с данными</translation>
    </message>
    <message>
        <source>Data files (*.rsd)</source>
        <translation>Файлы данных (*.rsd)</translation>
    </message>
    <message>
        <source>Data files (*.rod)</source>
        <translation>Файлы данных (*.rod)</translation>
    </message>
    <message>
        <source>Save data</source>
        <translation>Сохранение данных</translation>
    </message>
    <message>
        <source>Unexpected error occurred!</source>
        <translation>Произошла непредвиденная ошибка!</translation>
    </message>
    <message>
        <source>Data files (*.rwd)</source>
        <translation>Файлы данных (*.rwd)</translation>
    </message>
    <message>
        <source>Open saved data</source>
        <translation>Открыть сохранённые данные</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Полн.</translation>
    </message>
</context>
<context>
    <name>CRecorderWindow</name>
    <message>
        <source>Signal Recorder</source>
        <translation>Запись сигналов</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Ожидание</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>No free disk space!</source>
        <translation>Нет свободного места на диске!</translation>
    </message>
    <message>
        <source>No free disk space</source>
        <translation>Нет свободного места на диске</translation>
    </message>
</context>
<context>
    <name>CScanerWindow</name>
    <message>
        <source> MHz</source>
        <translation> МГц</translation>
    </message>
</context>
<context>
    <name>CScanerWindowClass</name>
    <message>
        <source>ScanerChannel Tuner</source>
        <translation>Настройка канала сканера</translation>
    </message>
    <message>
        <source>No control</source>
        <translation>Без управления</translation>
    </message>
    <message>
        <source>Fixed Frequency</source>
        <translation>Фиксированная частота</translation>
    </message>
    <message>
        <source>Scan in Range</source>
        <translation>Сканирование диапазона</translation>
    </message>
</context>
<context>
    <name>CSelectMeasurementsDialogClass</name>
    <message>
        <source>Select Measurements</source>
        <translation>Выбор измерений</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CSignalRecorderWindow</name>
    <message>
        <source>Free disk space is too low!</source>
        <translation>Слишком мало свободного места на диске!</translation>
    </message>
    <message>
        <source>Could not create file</source>
        <translation>Не удалось создать файл</translation>
    </message>
    <message>
        <source>Recording signal</source>
        <translation>Запись сигнала</translation>
    </message>
    <message>
        <source>Could not open file</source>
        <translation>Не удалось открыть файл</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>Воспроизведение</translation>
    </message>
</context>
<context>
    <name>CSoundRecorderWindow</name>
    <message>
        <source>Sound Recording</source>
        <translation>Запись звука</translation>
    </message>
    <message>
        <source>Could not create file</source>
        <translation>Не удалось создать файл</translation>
    </message>
    <message>
        <source>Recording sound</source>
        <translation>Запись звука</translation>
    </message>
    <message>
        <source>Could not open recording</source>
        <translation>Не удалось открыть запись</translation>
    </message>
    <message>
        <source>Playing recording</source>
        <translation>Воспроизведение записи</translation>
    </message>
</context>
<context>
    <name>CSpectrumDialog</name>
    <message>
        <source>Spectrum</source>
        <translation>Спектр</translation>
    </message>
    <message>
        <source>L max</source>
        <translation>L макс</translation>
    </message>
    <message>
        <source>L min</source>
        <translation>L мин</translation>
    </message>
    <message>
        <source>begin</source>
        <translation>начало</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Шаг:</translation>
    </message>
    <message>
        <source>end</source>
        <translation>конец</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Отладка</translation>
    </message>
    <message>
        <source>F0_Start,MHz=</source>
        <translation>F0_Start,МГц=</translation>
    </message>
    <message>
        <source>F0_End,MHz=</source>
        <translation>F0_End,МГц=</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Adapt</source>
        <translation>Адаптировать</translation>
    </message>
    <message>
        <source>F1_Start,MHz=</source>
        <translation>F1_Start,МГц=</translation>
    </message>
    <message>
        <source>F1_End,MHz=</source>
        <translation>F1_End,МГц=</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Maximum:</source>
        <translation>Максимум:</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>Noise:</source>
        <translation>Шум:</translation>
    </message>
</context>
<context>
    <name>CSplashWindow</name>
    <message>
        <source>Veltrano</source>
        <translation>Veltrano</translation>
    </message>
    <message>
        <source>Starting up, please wait...</source>
        <translation>Запуск, подождите...</translation>
    </message>
</context>
<context>
    <name>CTemplatesWindow</name>
    <message>
        <source>Templates Window</source>
        <translation>Шаблоны</translation>
    </message>
    <message>
        <source>Start Freq</source>
        <translation>Нач. частота</translation>
    </message>
    <message>
        <source>End Freq</source>
        <translation>Кон. частота</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Ед. изм.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Удалить все</translation>
    </message>
    <message>
        <source>kHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
</context>
<context>
    <name>CUserManualWindow</name>
    <message>
        <source>:\MorvikManual_en.html</source>
        <translation>:\MorvikManual_ru.html</translation>
    </message>
    <message>
        <source>Help file wasn&apos;t found!</source>
        <translation>Файл справки не найден!</translation>
    </message>
</context>
<context>
    <name>CUserManualWindowClass</name>
    <message>
        <source>User Manual</source>
        <translation>Руководство пользователя</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Далее</translation>
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
<context>
    <name>CVideoWindow</name>
    <message>
        <source>Video Window</source>
        <translation>Видео</translation>
    </message>
    <message>
        <source>Dark Level:</source>
        <translation>Уровень чёрного:</translation>
    </message>
    <message>
        <source>Bright Level:</source>
        <translation>Уровень белого:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Разрешение:</translation>
    </message>
    <message>
        <source>H-SYNC:</source>
        <translation>H-SYNC:</translation>
    </message>
    <message>
        <source>V-SYNC:</source>
        <translation>V-SYNC:</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>ДА</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>НЕТ</translation>
    </message>
</context>
<context>
    <name>CViewBase</name>
    <message>
        <source>Sound recording is available for &quot;Bandwidth&quot; below 192 kHz only!</source>
        <translation>Запись звука доступна только при значении «Полоса» ниже 192 кГц!</translation>
    </message>
    <message>
        <source>Overload</source>
        <translation>Перегрузка</translation>
    </message>
    <message>
        <source>Attenuator</source>
        <translation>Аттенюатор</translation>
    </message>
    <message>
        <source>Wrong file type!</source>
        <translation>Неверный тип файла!</translation>
    </message>
    <message>
        <source>Set Trigger Level</source>
        <translation>Установка уровня запуска</translation>
    </message>
    <message>
        <source>Trigger level:</source>
        <translation>Уровень запуска:</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>мкВ</translation>
    </message>
    <message>
        <source>Recording waterfall</source>
        <translation>Запись водопада</translation>
    </message>
    <message>
        <source>Freq, MHz	Level, dBm<byte value="xd"/>
</source>
        <translation>Частота, МГц	Уровень, дБм<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Level I, mV	Level Q, mV<byte value="xd"/>
</source>
        <translation>Уровень I, мВ	Уровень Q, мВ<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Sample	Level I, mV	Level Q, mV<byte value="xd"/>
</source>
        <translation>Отсчёт	Уровень I, мВ	Уровень Q, мВ<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Save Signal Data As Text File</source>
        <translation>Сохранить данные сигнала в текстовый файл</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Текстовые файлы (*.txt)</translation>
    </message>
    <message>
        <source>Error exporting signal data!</source>
        <translation>Ошибка экспорта данных сигнала!</translation>
    </message>
    <message>
        <source>Save Signal Data As Graphics File</source>
        <translation>Сохранить данные сигнала в графический файл</translation>
    </message>
    <message>
        <source>Graphics Files (*.jpg *.jpeg)</source>
        <translation>Графические файлы (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Could not save an image!</source>
        <translation>Не удалось сохранить изображение!</translation>
    </message>
    <message>
        <source>Could not write the file!</source>
        <translation>Не удалось записать файл!</translation>
    </message>
    <message>
        <source>The file is damaged and was not loaded!</source>
        <translation>Файл повреждён и не был загружен!</translation>
    </message>
    <message>
        <source>Could not add entry to archive!</source>
        <translation>Не удалось добавить запись в архив!</translation>
    </message>
    <message>
        <source>Could not save the archive image!</source>
        <translation>Не удалось сохранить снимок для архива!</translation>
    </message>
    <message>
        <source>The signal recording was not started!</source>
        <translation>Запись сигнала не запущена!</translation>
    </message>
    <message>
        <source>The sound recording was not started!</source>
        <translation>Запись звука не запущена!</translation>
    </message>
    <message>
        <source>Failed to add an entry to the archive!</source>
        <translation>Не удалось добавить запись в архив!</translation>
    </message>
    <message>
        <source>The waterfall will be reset. Do you want to continue?</source>
        <translation>Водопад будет сброшен. Продолжить?</translation>
    </message>
    <message>
        <source>Not available in the &apos;6-18 GHz&apos; mode!</source>
        <translation>Недоступно в режиме «6-18 ГГц»!</translation>
    </message>
    <message>
        <source>Frequency Range Input</source>
        <translation>Ввод диапазона частот</translation>
    </message>
    <message>
        <source>Start frequency:</source>
        <translation>Начальная частота:</translation>
    </message>
    <message>
        <source>End frequency:</source>
        <translation>Конечная частота:</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>kHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>Amplitude Range Input</source>
        <translation>Ввод диапазона амплитуд</translation>
    </message>
    <message>
        <source>Min amplitude:</source>
        <translation>Мин. амплитуда:</translation>
    </message>
    <message>
        <source>Max amplitude:</source>
        <translation>Макс. амплитуда:</translation>
    </message>
    <message>
        <source>Time Range Input</source>
        <translation>Ввод интервала времени</translation>
    </message>
    <message>
        <source>Start moment:</source>
        <translation>Начальный момент:</translation>
    </message>
    <message>
        <source>End moment:</source>
        <translation>Конечный момент:</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>us</source>
        <translation>мкс</translation>
    </message>
    <message>
        <source>Wrong range specified! Acceptable range is %1 to %2</source>
        <translation>Задан неверный диапазон! Допустимый диапазон: от %1 до %2</translation>
    </message>
    <message>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
    <message>
        <source>Min value:</source>
        <translation>Мин. значение:</translation>
    </message>
    <message>
        <source>Max value:</source>
        <translation>Макс. значение:</translation>
    </message>
    <message>
        <source>Loaded data</source>
        <translation>Загруженные данные</translation>
    </message>
    <message>
        <source>Plug in the probe of the WIRE-channel</source>
        <translation>Подключите пробник канала WIRE</translation>
    </message>
    <message>
        <source>Checking of the probe of WIRE-channel</source>
        <translation>Проверка пробника канала WIRE</translation>
    </message>
    <message>
        <source>The wrong probe is plugged</source>
        <translation>Подключён не тот пробник</translation>
    </message>
    <message>
        <source>Total time: %1</source>
        <translation>Общее время: %1</translation>
    </message>
    <message>
        <source>Total time: %1
Visible time: %2</source>
        <translation>Общее время: %1
Видимое время: %2</translation>
    </message>
    <message>
        <source>Levels in current position
Min Level: %1 dBm
Max Level: %2 dBm</source>
        <translation>Уровни в текущей позиции
Мин. уровень: %1 дБм
Макс. уровень: %2 дБм</translation>
    </message>
    <message>
        <source>Levels in current position
 Level min: %1
 Level max: %2</source>
        <translation>Уровни в текущей позиции
 Уровень мин.: %1
 Уровень макс.: %2</translation>
    </message>
    <message>
        <source>Levels in current position
Channel I
 Level min: %1
 Level max: %2</source>
        <translation>Уровни в текущей позиции
Канал I
 Уровень мин.: %1
 Уровень макс.: %2</translation>
    </message>
    <message>
        <source>
Channel Q
 Level min: %1
 Level max: %2</source>
        <translation>
Канал Q
 Уровень мин.: %1
 Уровень макс.: %2</translation>
    </message>
    <message>
        <source>Cursor position
Frequency: %1
Time: %2</source>
        <translation>Положение курсора
Частота: %1
Время: %2</translation>
    </message>
    <message>
        <source>Delta cursor:
 from %1 to %2 = %3
 from %4 to %5 = %6</source>
        <translation>Разность курсоров:
 от %1 до %2 = %3
 от %4 до %5 = %6</translation>
    </message>
    <message>
        <source>Cursor position
Frequency: %1
Level: %2</source>
        <translation>Положение курсора
Частота: %1
Уровень: %2</translation>
    </message>
    <message>
        <source>Time: %1
Level: %2</source>
        <translation>Время: %1
Уровень: %2</translation>
    </message>
    <message>
        <source>Delta cursor:
 from %1 to %2 = %3 (%4)
 from %5 to %6 = %7</source>
        <translation>Разность курсоров:
 от %1 до %2 = %3 (%4)
 от %5 до %6 = %7</translation>
    </message>
    <message>
        <source>No archive folder is set.</source>
        <translation>Папка архива не задана.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Radio Channel (%1-%2 MHz)</source>
        <translation>Радиоканал (%1-%2 МГц)</translation>
    </message>
</context>
<context>
    <name>Veltrano</name>
    <message>
        <source>Connecting</source>
        <translation>Подключение</translation>
    </message>
    <message>
        <source>DO NOT WORK in this version!!!</source>
        <translation>НЕ РАБОТАЕТ в этой версии!!!</translation>
    </message>
    <message>
        <source>Device exchange thread died!</source>
        <translation>Поток обмена с устройством аварийно завершился!</translation>
    </message>
    <message>
        <source>Online mode</source>
        <translation>Рабочий режим</translation>
    </message>
    <message>
        <source>Unexpected reinitialization error occurred! </source>
        <translation>Непредвиденная ошибка повторной инициализации! </translation>
    </message>
    <message>
        <source>&apos;Recording time available: &apos;d &apos;days&apos; hh:mm:ss</source>
        <translation>&apos;Доступное время записи: &apos;d&apos; дн. &apos;hh:mm:ss</translation>
    </message>
    <message>
        <source>Recording time available: n/a</source>
        <translation>Доступное время записи: н/д</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <translation>%1 МБ/с</translation>
    </message>
    <message>
        <source>Do you want to switch to DEMO mode?</source>
        <translation>Перейти в ДЕМО-режим?</translation>
    </message>
    <message>
        <source>DEMO mode</source>
        <translation>ДЕМО-режим</translation>
    </message>
    <message>
        <source>Do you want to switch to online mode?</source>
        <translation>Перейти в рабочий режим?</translation>
    </message>
    <message>
        <source>Under construction!</source>
        <translation>В разработке!</translation>
    </message>
    <message>
        <source>Spectrum %1-%2 GHz</source>
        <translation>Спектр %1-%2 ГГц</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>Squelch:</source>
        <translation>Шумоподавитель:</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Шаг:</translation>
    </message>
    <message>
        <source>Full Range Octave Filters</source>
        <translation>Октавные фильтры полного диапазона</translation>
    </message>
    <message>
        <source>Demodulation Octave Filters</source>
        <translation>Октавные фильтры демодуляции</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>0 B/s</source>
        <translation>0 Б/с</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Нет связи</translation>
    </message>
    <message>
        <source>Saved data</source>
        <translation>Сохранённые данные</translation>
    </message>
    <message>
        <source>Recorded data</source>
        <translation>Записанные данные</translation>
    </message>
    <message>
        <source>New setting will take effect after appication restart!</source>
        <translation>Новая настройка вступит в силу после перезапуска программы!</translation>
    </message>
</context>
<context>
    <name>VeltranoClass</name>
    <message>
        <source>Veltrano</source>
        <translation>Veltrano</translation>
    </message>
    <message>
        <source>Pause/Resume graph updates</source>
        <translation>Пауза/продолжение обновления графиков</translation>
    </message>
    <message>
        <source>One step graph update</source>
        <translation>Обновить графики на один шаг</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>Спектр</translation>
    </message>
    <message>
        <source>Waterfall</source>
        <translation>Водопад</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Осциллограмма</translation>
    </message>
    <message>
        <source>RF input</source>
        <translation>ВЧ-вход</translation>
    </message>
    <message>
        <source>RF</source>
        <translation>ВЧ</translation>
    </message>
    <message>
        <source>IF input</source>
        <translation>ПЧ-вход</translation>
    </message>
    <message>
        <source>IF</source>
        <translation>ПЧ</translation>
    </message>
    <message>
        <source>Resets axises state</source>
        <translation>Сброс масштаба осей</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Adjust to noise level</source>
        <translation>Подстроить по уровню шума</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>Auto fit by Y axis</source>
        <translation>Автомасштаб по оси Y</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>30-3616 MHz</source>
        <translation>30-3616 МГц</translation>
    </message>
    <message>
        <source>816-4400 MHz</source>
        <translation>816-4400 МГц</translation>
    </message>
    <message>
        <source>2416-6000 MHz</source>
        <translation>2416-6000 МГц</translation>
    </message>
    <message>
        <source>6-12 GHz</source>
        <translation>6-12 ГГц</translation>
    </message>
    <message>
        <source>12-18 GHz</source>
        <translation>12-18 ГГц</translation>
    </message>
    <message>
        <source>Sound on/off</source>
        <translation>Звук вкл./выкл.</translation>
    </message>
    <message>
        <source>Octave Filters</source>
        <translation>Октавные фильтры</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Ведущий</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Ведомый</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop (ext sync)</source>
        <translation>Стоп (внеш. синхр.)</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Удалённо</translation>
    </message>
    <message>
        <source>Brisola</source>
        <translation>Brisola</translation>
    </message>
    <message>
        <source>Pellastro</source>
        <translation>Pellastro</translation>
    </message>
    <message>
        <source>Generator</source>
        <translation>Генератор</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Память</translation>
    </message>
    <message>
        <source>Archive of signals</source>
        <translation>Архив сигналов</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Архив</translation>
    </message>
    <message>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <source>One-time analysis</source>
        <translation>Однократный анализ</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>Анализ</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Signals monitoring</source>
        <translation>Мониторинг сигналов</translation>
    </message>
    <message>
        <source>MonitoringOLD</source>
        <translation>Мониторинг (стар.)</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>Full range templates</source>
        <translation>Шаблоны полного диапазона</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Шаблоны</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>Digital signals detector</source>
        <translation>Обнаружитель цифровых сигналов</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Импульсы</translation>
    </message>
    <message>
        <source>F8</source>
        <translation>F8</translation>
    </message>
    <message>
        <source>RangesOLD</source>
        <translation>Диапазоны (стар.)</translation>
    </message>
    <message>
        <source>Ranges</source>
        <translation>Диапазоны</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <translation>Мониторинг</translation>
    </message>
    <message>
        <source>GSM Analysis</source>
        <translation>Анализ GSM</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>Vector</source>
        <translation>Векторная диаграмма</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Полоса</translation>
    </message>
    <message>
        <source>Write WAV...</source>
        <translation>Запись WAV...</translation>
    </message>
    <message>
        <source>Demodulation mode</source>
        <translation>Вид демодуляции</translation>
    </message>
    <message>
        <source>off</source>
        <translation>выкл</translation>
    </message>
    <message>
        <source>AM</source>
        <translation>АМ</translation>
    </message>
    <message>
        <source>FM</source>
        <translation>ЧМ</translation>
    </message>
    <message>
        <source>LSB</source>
        <translation>НБП</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>ВБП</translation>
    </message>
    <message>
        <source>Show/hide video window</source>
        <translation>Показать/скрыть окно видео</translation>
    </message>
    <message>
        <source>Disable FULL RANGE for good sound and video performance</source>
        <translation>Отключить ПОЛНЫЙ ДИАПАЗОН для качественного звука и видео</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Сервис</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Demo Mode</source>
        <translation>Демо-режим</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>About Veltrano...</source>
        <translation>О программе Veltrano...</translation>
    </message>
    <message>
        <source>Default Parameters</source>
        <translation>Параметры по умолчанию</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Load Parameters</source>
        <translation>Загрузить параметры</translation>
    </message>
    <message>
        <source>Save Parameters</source>
        <translation>Сохранить параметры</translation>
    </message>
</context>
<context>
    <name>Zantigo</name>
    <message>
        <source>Status: Connection is OK</source>
        <translation>Состояние: связь в порядке</translation>
    </message>
    <message>
        <source>Status: Connection is ERROR</source>
        <translation>Состояние: ошибка связи</translation>
    </message>
</context>
<context>
    <name>ZantigoClass</name>
    <message>
        <source>Generator</source>
        <translation>Генератор</translation>
    </message>
    <message>
        <source>Turn ON Power</source>
        <translation>Включить питание</translation>
    </message>
</context>
</TS>
