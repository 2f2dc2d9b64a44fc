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
    <name>CAnalysisLegendDialogClass</name>
    <message>
        <source>Legend</source>
        <translation>Условные обозначения</translation>
    </message>
    <message>
        <source>- signals, which did not changed since last analysis</source>
        <translation>- сигналы, не изменившиеся с прошлого анализа</translation>
    </message>
    <message>
        <source>- signals, which did not present in the last analysis</source>
        <translation>- сигналы, отсутствовавшие в прошлом анализе</translation>
    </message>
    <message>
        <source>- signals, which does not present int the new analysis</source>
        <translation>- сигналы, отсутствующие в новом анализе</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CAnalysisOptionsDialogClass</name>
    <message>
        <source>Analysis Options</source>
        <translation>Параметры анализа</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Порог</translation>
    </message>
    <message>
        <source>Exceeding of absolute level</source>
        <translation>Превышение абсолютного уровня</translation>
    </message>
    <message>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
    <message>
        <source>Exceeding of average value</source>
        <translation>Превышение среднего значения</translation>
    </message>
    <message>
        <source>dB, with coefficient of averaging</source>
        <translation>дБ, коэффициент усреднения</translation>
    </message>
    <message>
        <source>Use hysteresis</source>
        <translation>Гистерезис</translation>
    </message>
    <message>
        <source>Do Merge</source>
        <translation>Объединять сигналы</translation>
    </message>
    <message>
        <source>Show threshold level on the spectrum</source>
        <translation>Показывать порог на спектре</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
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
    <message>
        <source>Failed to fill the list of results!</source>
        <translation>Не удалось заполнить список результатов!</translation>
    </message>
    <message>
        <source>Save Results As Web page</source>
        <translation>Сохранить результаты как веб-страницу</translation>
    </message>
    <message>
        <source>Web pages (*.htm *.html)</source>
        <translation>Веб-страницы (*.htm *.html)</translation>
    </message>
    <message>
        <source>Detected frequencies</source>
        <translation>Обнаруженные частоты</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Част.</translation>
    </message>
    <message>
        <source>Failed open the file for writing!</source>
        <translation>Не удалось открыть файл для записи!</translation>
    </message>
    <message>
        <source>Add to Archive...</source>
        <translation>Добавить в архив...</translation>
    </message>
    <message>
        <source>Delete Record</source>
        <translation>Удалить запись</translation>
    </message>
    <message>
        <source>Goto 2nd Harmonic</source>
        <translation>Перейти ко 2-й гармонике</translation>
    </message>
    <message>
        <source>Goto 3rd Harmonic</source>
        <translation>Перейти к 3-й гармонике</translation>
    </message>
    <message>
        <source>Do you really want to delete selected items?</source>
        <translation>Вы действительно хотите удалить выбранные записи?</translation>
    </message>
    <message>
        <source>Set Comment</source>
        <translation>Задать комментарий</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Комментарий:</translation>
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
    <message>
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <source>Save As HTML...</source>
        <translation>Сохранить в HTML...</translation>
    </message>
    <message>
        <source>Legend...</source>
        <translation>Обозначения...</translation>
    </message>
</context>
<context>
    <name>CAntennaDialog</name>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>ANT1 %1-%2 %3</source>
        <translation>ANT1 %1-%2 %3</translation>
    </message>
    <message>
        <source>ANT2 %1-%2 %3</source>
        <translation>ANT2 %1-%2 %3</translation>
    </message>
    <message>
        <source>ANT3 %1-%2 %3</source>
        <translation>ANT3 %1-%2 %3</translation>
    </message>
    <message>
        <source>ANT4 %1-%2 %3</source>
        <translation>ANT4 %1-%2 %3</translation>
    </message>
</context>
<context>
    <name>CAntennaDialogClass</name>
    <message>
        <source>Auto Antenna Switch Settings</source>
        <translation>Настройка автоматического переключения антенн</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
    <message>
        <source>Save As HTML...</source>
        <translation>Сохранить в HTML...</translation>
    </message>
    <message>
        <source>Normal mode</source>
        <translation>Обычный режим</translation>
    </message>
    <message>
        <source>Analysis mode</source>
        <translation>Режим анализа</translation>
    </message>
    <message>
        <source>Monitoring mode</source>
        <translation>Режим мониторинга</translation>
    </message>
    <message>
        <source>Pulse detect mode</source>
        <translation>Режим детектора импульсов</translation>
    </message>
    <message>
        <source>Device memory mode</source>
        <translation>Режим памяти прибора</translation>
    </message>
    <message>
        <source>Failed to fill the tree of groups!</source>
        <translation>Не удалось заполнить дерево групп!</translation>
    </message>
    <message>
        <source>Add Group...</source>
        <translation>Добавить группу...</translation>
    </message>
    <message>
        <source>Rename Group...</source>
        <translation>Переименовать группу...</translation>
    </message>
    <message>
        <source>Delete Group...</source>
        <translation>Удалить группу...</translation>
    </message>
    <message>
        <source>Collapse All</source>
        <translation>Свернуть все</translation>
    </message>
    <message>
        <source>Expand All</source>
        <translation>Развернуть все</translation>
    </message>
    <message>
        <source>Go To This Frequency...</source>
        <translation>Перейти на эту частоту...</translation>
    </message>
    <message>
        <source>View Signal Recording...</source>
        <translation>Просмотреть запись сигнала...</translation>
    </message>
    <message>
        <source>Play Sound Recording...</source>
        <translation>Воспроизвести запись звука...</translation>
    </message>
    <message>
        <source>View Image...</source>
        <translation>Просмотреть снимок...</translation>
    </message>
    <message>
        <source>Set Comment...</source>
        <translation>Задать комментарий...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Удалить...</translation>
    </message>
    <message>
        <source>Delete All...</source>
        <translation>Удалить все...</translation>
    </message>
    <message>
        <source>Move To Group</source>
        <translation>Переместить в группу</translation>
    </message>
    <message>
        <source>New group name:</source>
        <translation>Новое имя группы:</translation>
    </message>
    <message>
        <source>Failed to rename group!</source>
        <translation>Не удалось переименовать группу!</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;</source>
        <translation>Вы действительно хотите удалить &apos;</translation>
    </message>
    <message>
        <source>Failed to delete group!</source>
        <translation>Не удалось удалить группу!</translation>
    </message>
    <message>
        <source>Failed to change DDC frequency!</source>
        <translation>Не удалось изменить частоту DDC!</translation>
    </message>
    <message>
        <source>Unable to play back file!</source>
        <translation>Не удалось воспроизвести файл!</translation>
    </message>
    <message>
        <source>Failed view a recording!</source>
        <translation>Не удалось просмотреть запись!</translation>
    </message>
    <message>
        <source>Failed to view an image!</source>
        <translation>Не удалось просмотреть снимок!</translation>
    </message>
    <message>
        <source>Set comment</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <source>Failed to set comment!</source>
        <translation>Не удалось задать комментарий!</translation>
    </message>
    <message>
        <source>Are you sure you want to delete selected entries?</source>
        <translation>Вы действительно хотите удалить выбранные записи?</translation>
    </message>
    <message>
        <source>Failed to delete items!</source>
        <translation>Не удалось удалить записи!</translation>
    </message>
    <message>
        <source>Are you sure you want to delete all shown entries?</source>
        <translation>Вы действительно хотите удалить все показанные записи?</translation>
    </message>
    <message>
        <source>Failed to delete an item!</source>
        <translation>Не удалось удалить запись!</translation>
    </message>
    <message>
        <source>Failed to move to the other group!</source>
        <translation>Не удалось переместить в другую группу!</translation>
    </message>
    <message>
        <source>Save Archive As Web page</source>
        <translation>Сохранить архив как веб-страницу</translation>
    </message>
    <message>
        <source>Web pages (*.htm *.html)</source>
        <translation>Веб-страницы (*.htm *.html)</translation>
    </message>
    <message>
        <source>Error saving the archive! </source>
        <translation>Ошибка сохранения архива! </translation>
    </message>
</context>
<context>
    <name>CDdcView</name>
    <message>
        <source>Band Measurements</source>
        <translation>Измерения в полосе</translation>
    </message>
    <message>
        <source>Data files (*.dwd)</source>
        <translation>Файлы данных (*.dwd)</translation>
    </message>
    <message>
        <source>Data files (*.dsd)</source>
        <translation>Файлы данных (*.dsd)</translation>
    </message>
    <message>
        <source>Data files (*.dvd)</source>
        <translation>Файлы данных (*.dvd)</translation>
    </message>
    <message>
        <source>Data files (*.dod)</source>
        <translation>Файлы данных (*.dod)</translation>
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
        <source>Save data</source>
        <translation>Сохранение данных</translation>
    </message>
    <message>
        <source>Unexpected error occurred!</source>
        <translation>Произошла непредвиденная ошибка!</translation>
    </message>
    <message>
        <source>Open saved data</source>
        <translation>Открыть сохранённые данные</translation>
    </message>
    <message>
        <source>Unexpected error occurred:</source>
        <translation>Произошла непредвиденная ошибка:</translation>
    </message>
    <message>
        <source>%1 kHz</source>
        <translation>%1 кГц</translation>
    </message>
    <message>
        <source>%1 MHz</source>
        <translation>%1 МГц</translation>
    </message>
    <message>
        <source>BND</source>
        <translation>ПОЛ</translation>
    </message>
    <message>
        <source>Change Tune Frequency</source>
        <translation>Изменение частоты настройки</translation>
    </message>
    <message>
        <source>Tune frequency:</source>
        <translation>Частота настройки:</translation>
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
        <source>Frequency must be within the range (%1 - %2)!</source>
        <translation>Частота должна быть в пределах диапазона (%1 - %2)!</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
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
    <message>
        <source>Data files (*.mwd)</source>
        <translation>Файлы данных (*.mwd)</translation>
    </message>
    <message>
        <source>Data files (*.msd)</source>
        <translation>Файлы данных (*.msd)</translation>
    </message>
    <message>
        <source>Data files (*.mod)</source>
        <translation>Файлы данных (*.mod)</translation>
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
        <source>Save data</source>
        <translation>Сохранение данных</translation>
    </message>
    <message>
        <source>Unexpected error occurred!</source>
        <translation>Произошла непредвиденная ошибка!</translation>
    </message>
    <message>
        <source>Open saved data</source>
        <translation>Открыть сохранённые данные</translation>
    </message>
    <message>
        <source>DMD</source>
        <translation>ДЕМ</translation>
    </message>
</context>
<context>
    <name>CDlaN1N2InputDialogClass</name>
    <message>
        <source>Pins Input</source>
        <translation>Ввод контактов</translation>
    </message>
    <message>
        <source>Input 1st pin number (1-8):</source>
        <translation>Номер 1-го контакта (1-8):</translation>
    </message>
    <message>
        <source>Input 2nd pin number (1-8):</source>
        <translation>Номер 2-го контакта (1-8):</translation>
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
    <name>CFromArchiveDialog</name>
    <message>
        <source>Add From Archive</source>
        <translation>Добавить из архива</translation>
    </message>
    <message>
        <source>Add signals from this group in the archive:</source>
        <translation>Добавить сигналы из группы архива:</translation>
    </message>
    <message>
        <source>Increase bandwidth</source>
        <translation>Расширить полосу</translation>
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
    <message>
        <source>Start frequency for analysis, MHz</source>
        <translation>Начальная частота анализа, МГц</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>Channels to display</source>
        <translation>Число отображаемых каналов</translation>
    </message>
    <message>
        <source>Channel bandwidth, MHz</source>
        <translation>Полоса канала, МГц</translation>
    </message>
    <message>
        <source>Count of samples for histogram averaging</source>
        <translation>Число отсчётов для усреднения гистограммы</translation>
    </message>
</context>
<context>
    <name>CInputKnownFreqRange</name>
    <message>
        <source>Frequency Range Edit</source>
        <translation>Изменение диапазона частот</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Start Frequency:</source>
        <translation>Начальная частота:</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>End Frequency:</source>
        <translation>Конечная частота:</translation>
    </message>
    <message>
        <source>Band:</source>
        <translation>Полоса:</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Шаг:</translation>
    </message>
    <message>
        <source>Start Channel:</source>
        <translation>Нач. канал:</translation>
    </message>
    <message>
        <source>End Channel:</source>
        <translation>Кон. канал:</translation>
    </message>
    <message>
        <source>Averaging</source>
        <translation>Усреднение</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Переключатель</translation>
    </message>
    <message>
        <source>do nothing</source>
        <translation>не переключать</translation>
    </message>
    <message>
        <source>1 ch</source>
        <translation>1 кан.</translation>
    </message>
    <message>
        <source>2 ch</source>
        <translation>2 кан.</translation>
    </message>
    <message>
        <source>3 ch</source>
        <translation>3 кан.</translation>
    </message>
    <message>
        <source>4 ch</source>
        <translation>4 кан.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Wrong frequency range!</source>
        <translation>Неверный диапазон частот!</translation>
    </message>
    <message>
        <source>The band is too wide!</source>
        <translation>Слишком широкая полоса!</translation>
    </message>
    <message>
        <source>The step is too big!</source>
        <translation>Слишком большой шаг!</translation>
    </message>
    <message>
        <source>The step cannot be zero!</source>
        <translation>Шаг не может быть нулевым!</translation>
    </message>
    <message>
        <source>The step is too small!</source>
        <translation>Слишком малый шаг!</translation>
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
    <message>
        <source>DBM Calibration</source>
        <translation>Калибровка дБм</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Полн.</translation>
    </message>
    <message>
        <source>DDC</source>
        <translation>DDC</translation>
    </message>
    <message>
        <source>Demod</source>
        <translation>Демод.</translation>
    </message>
    <message>
        <source>Full ADF 1</source>
        <translation>Полн. ADF 1</translation>
    </message>
    <message>
        <source>Full ADF 2</source>
        <translation>Полн. ADF 2</translation>
    </message>
    <message>
        <source>Full ADF 3</source>
        <translation>Полн. ADF 3</translation>
    </message>
    <message>
        <source>Full ADF 4</source>
        <translation>Полн. ADF 4</translation>
    </message>
    <message>
        <source>Full ADF 5</source>
        <translation>Полн. ADF 5</translation>
    </message>
    <message>
        <source>Full ADF 6</source>
        <translation>Полн. ADF 6</translation>
    </message>
    <message>
        <source>Full ADF 7</source>
        <translation>Полн. ADF 7</translation>
    </message>
    <message>
        <source>Full ADF 8</source>
        <translation>Полн. ADF 8</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Osc Calibration</source>
        <translation>Калибровка осциллографа</translation>
    </message>
    <message>
        <source>ADF</source>
        <translation>ADF</translation>
    </message>
    <message>
        <source>Enable ADF4350 Scanning</source>
        <translation>Включить сканирование ADF4350</translation>
    </message>
    <message>
        <source>QuasiIQ Enable</source>
        <translation>Включить QuasiIQ</translation>
    </message>
    <message>
        <source>QuasiIQ Diff Enable</source>
        <translation>Включить QuasiIQ Diff</translation>
    </message>
    <message>
        <source>Half Band Enable</source>
        <translation>Включить полуполосный режим (Half Band)</translation>
    </message>
    <message>
        <source>Only DDC</source>
        <translation>Только DDC</translation>
    </message>
    <message>
        <source>Without DDC</source>
        <translation>Без DDC</translation>
    </message>
    <message>
        <source>Scan Speed</source>
        <translation>Скорость сканирования</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Поправки</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Ampl</source>
        <translation>Ампл.</translation>
    </message>
    <message>
        <source>Frac</source>
        <translation>Frac</translation>
    </message>
    <message>
        <source>Garm</source>
        <translation>Гарм.</translation>
    </message>
    <message>
        <source>Sky</source>
        <translation>Sky</translation>
    </message>
    <message>
        <source>Strob</source>
        <translation>Строб</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Усиление</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Шаг</translation>
    </message>
    <message>
        <source>Step_strob</source>
        <translation>Шаг строба</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Разное</translation>
    </message>
    <message>
        <source>Gain_Pwm</source>
        <translation>Gain_Pwm</translation>
    </message>
    <message>
        <source>Alternate channel</source>
        <translation>Альтернативный канал</translation>
    </message>
    <message>
        <source>Ignore ident of probes</source>
        <translation>Игнорировать идентификацию пробников</translation>
    </message>
    <message>
        <source>Пакет</source>
        <translation>Пакет</translation>
    </message>
    <message>
        <source>4096 KB (132 ms)</source>
        <translation>4096 КБ (132 мс)</translation>
    </message>
    <message>
        <source>2048 KB (66 ms)</source>
        <translation>2048 КБ (66 мс)</translation>
    </message>
    <message>
        <source>1024 KB (33 ms)</source>
        <translation>1024 КБ (33 мс)</translation>
    </message>
    <message>
        <source>512 KB (16 ms)</source>
        <translation>512 КБ (16 мс)</translation>
    </message>
    <message>
        <source>256 KB (8 ms)</source>
        <translation>256 КБ (8 мс)</translation>
    </message>
    <message>
        <source>128 KB (3.6 ms)</source>
        <translation>128 КБ (3.6 мс)</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
</context>
<context>
    <name>CKnownFreqRanges2Window</name>
    <message>
        <source>do nothing</source>
        <translation>не переключать</translation>
    </message>
    <message>
        <source>Do you really want to reset the list to default?</source>
        <translation>Вы действительно хотите восстановить список по умолчанию?</translation>
    </message>
    <message>
        <source>Do you really want to clear the list?</source>
        <translation>Вы действительно хотите очистить список?</translation>
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
    <message>
        <source>Multiple ranges</source>
        <translation>Несколько диапазонов</translation>
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
        <source>Analysis</source>
        <translation>Анализ</translation>
    </message>
    <message>
        <source>Double-click to view the range on the graphic</source>
        <translation>Двойной щелчок — показать диапазон на графике</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>По умолчанию</translation>
    </message>
</context>
<context>
    <name>CKnownFreqRangesWindow</name>
    <message>
        <source>Do you really want to clear the list?</source>
        <translation>Вы действительно хотите очистить список?</translation>
    </message>
    <message>
        <source>Do you really want to reset the list to default?</source>
        <translation>Вы действительно хотите восстановить список по умолчанию?</translation>
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
    <message>
        <source>World region:</source>
        <translation>Регион:</translation>
    </message>
    <message>
        <source>Russia</source>
        <translation>Россия</translation>
    </message>
    <message>
        <source>North America (USA, Canada, Mexico, etc.)</source>
        <translation>Северная Америка (США, Канада, Мексика и др.)</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Прочие</translation>
    </message>
    <message>
        <source>Multiple ranges</source>
        <translation>Несколько диапазонов</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>Анализ</translation>
    </message>
    <message>
        <source>Double-click to view the range on the graphic</source>
        <translation>Двойной щелчок — показать диапазон на графике</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>По умолчанию</translation>
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
    <message>
        <source>Maximum:</source>
        <translation>Максимум:</translation>
    </message>
    <message>
        <source>Failed to fill the tree of groups!</source>
        <translation>Не удалось заполнить дерево групп!</translation>
    </message>
    <message>
        <source>MANUAL</source>
        <translation>РУЧНОЙ</translation>
    </message>
    <message>
        <source>Band: %1 MHz</source>
        <translation>Полоса: %1 МГц</translation>
    </message>
    <message>
        <source>Failed to fill the list!</source>
        <translation>Не удалось заполнить список!</translation>
    </message>
    <message>
        <source>%1 signals</source>
        <translation>Сигналов: %1</translation>
    </message>
    <message>
        <source>Add to Archive...</source>
        <translation>Добавить в архив...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Удалить...</translation>
    </message>
    <message>
        <source>Failed to delete!</source>
        <translation>Не удалось удалить!</translation>
    </message>
    <message>
        <source>Failed to add entry to the archive!</source>
        <translation>Не удалось добавить запись в архив!</translation>
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
    <message>
        <source>Analysis List</source>
        <translation>Список анализов</translation>
    </message>
    <message>
        <source>List of Analysis</source>
        <translation>Список анализов</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>List of signals in selected analysis</source>
        <translation>Сигналы выбранного анализа</translation>
    </message>
    <message>
        <source>0 signals</source>
        <translation>Сигналов: 0</translation>
    </message>
    <message>
        <source>Frequency, MHz</source>
        <translation>Частота, МГц</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Полоса</translation>
    </message>
    <message>
        <source>Level, dBm</source>
        <translation>Уровень, дБм</translation>
    </message>
    <message>
        <source>Excess, dBm</source>
        <translation>Превыш., дБм</translation>
    </message>
    <message>
        <source>Spectrograms</source>
        <translation>Спектрограммы</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Шаблон</translation>
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
    <message>
        <source>Monitoring Tasks:</source>
        <translation>Задания мониторинга:</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Monitoring Control</source>
        <translation>Управление мониторингом</translation>
    </message>
    <message>
        <source>No tasks</source>
        <translation>Нет заданий</translation>
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
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <source>Schedule...</source>
        <translation>График...</translation>
    </message>
    <message>
        <source>View Log...</source>
        <translation>Журнал...</translation>
    </message>
    <message>
        <source>Task named &apos;</source>
        <translation>Задание «</translation>
    </message>
    <message>
        <source>&apos; already exists!</source>
        <translation>» уже существует!</translation>
    </message>
    <message>
        <source>Working</source>
        <translation>Выполняется</translation>
    </message>
    <message>
        <source>No tasks in the list!</source>
        <translation>Список заданий пуст!</translation>
    </message>
    <message>
        <source>No tasks selected!</source>
        <translation>Не выбрано ни одного задания!</translation>
    </message>
    <message>
        <source>Starting monitoring...</source>
        <translation>Запуск мониторинга...</translation>
    </message>
    <message>
        <source>Failed to start monitoring!</source>
        <translation>Не удалось запустить мониторинг!</translation>
    </message>
    <message>
        <source>Monitoring stopped</source>
        <translation>Мониторинг остановлен</translation>
    </message>
    <message>
        <source>Monitoring in progress.</source>
        <translation>Идёт мониторинг.</translation>
    </message>
</context>
<context>
    <name>CMonitoringLogFilterDialog</name>
    <message>
        <source>Monitoring Log Filter</source>
        <translation>Фильтр журнала мониторинга</translation>
    </message>
    <message>
        <source>Enable Filter</source>
        <translation>Включить фильтр</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Период: с</translation>
    </message>
    <message>
        <source>to</source>
        <translation>до</translation>
    </message>
    <message>
        <source>Range:</source>
        <translation>Диапазон: от</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
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
    <name>CMonitoringLogWindow</name>
    <message>
        <source>Monitoring Log Window</source>
        <translation>Журнал мониторинга</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Время начала</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source>Peak Level</source>
        <translation>Пиковый уровень</translation>
    </message>
    <message>
        <source>Sector</source>
        <translation>Сектор</translation>
    </message>
    <message>
        <source>Ident</source>
        <translation>Идент.</translation>
    </message>
    <message>
        <source>Filter...</source>
        <translation>Фильтр...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Save As HTML...</source>
        <translation>Сохранить в HTML...</translation>
    </message>
    <message>
        <source>0 events</source>
        <translation>Событий: 0</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Refresh every 10 seconds</source>
        <translation>Обновлять каждые 10 секунд</translation>
    </message>
    <message>
        <source>%1 events</source>
        <translation>Событий: %1</translation>
    </message>
    <message>
        <source> [filtered]</source>
        <translation> [отфильтровано]</translation>
    </message>
    <message>
        <source>You&apos;ve got an event in the sector %1 !!!</source>
        <translation>Обнаружено событие в секторе %1!!!</translation>
    </message>
    <message>
        <source>You&apos;ve got an event!!!</source>
        <translation>Обнаружено событие!!!</translation>
    </message>
    <message>
        <source>Add to Archive...</source>
        <translation>Добавить в архив...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Удалить...</translation>
    </message>
    <message>
        <source>Save Log As Web page</source>
        <translation>Сохранить журнал как веб-страницу</translation>
    </message>
    <message>
        <source>Web pages (*.htm *.html)</source>
        <translation>Веб-страницы (*.htm *.html)</translation>
    </message>
    <message>
        <source>Discovered signals</source>
        <translation>Обнаруженные сигналы</translation>
    </message>
    <message>
        <source>Error saving monitoring results! </source>
        <translation>Ошибка сохранения результатов мониторинга! </translation>
    </message>
</context>
<context>
    <name>CMonitoringTaskDialog</name>
    <message>
        <source>Monitoring Task</source>
        <translation>Задание мониторинга</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Канал:</translation>
    </message>
    <message>
        <source>Frequency Ranges</source>
        <translation>Диапазоны частот</translation>
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
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Set averaging</source>
        <translation>Задать усреднение</translation>
    </message>
    <message>
        <source>Set window</source>
        <translation>Задать окно</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Порог</translation>
    </message>
    <message>
        <source>Exceeding of absolute level</source>
        <translation>Превышение абсолютного уровня</translation>
    </message>
    <message>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
    <message>
        <source>Exceeding of average value</source>
        <translation>Превышение среднего значения</translation>
    </message>
    <message>
        <source>dB, with coeff of averaging</source>
        <translation>дБ, с коэфф. усреднения</translation>
    </message>
    <message>
        <source>Use hysteresis</source>
        <translation>Использовать гистерезис</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Показать</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Разное</translation>
    </message>
    <message>
        <source>Record signal to</source>
        <translation>Записывать сигнал в</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Recording time available: n/a</source>
        <translation>Доступное время записи: н/д</translation>
    </message>
    <message>
        <source>Merge events</source>
        <translation>Объединять события</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
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
        <source>Frequency Range</source>
        <translation>Диапазон частот</translation>
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
        <source>Wrong start frequency!</source>
        <translation>Неверная начальная частота!</translation>
    </message>
    <message>
        <source>Wrong end frequency!</source>
        <translation>Неверная конечная частота!</translation>
    </message>
    <message>
        <source>Wrong range!</source>
        <translation>Неверный диапазон!</translation>
    </message>
    <message>
        <source>Save Recording As</source>
        <translation>Сохранить запись как</translation>
    </message>
    <message>
        <source>Recording files (*.rec)</source>
        <translation>Файлы записи (*.rec)</translation>
    </message>
    <message>
        <source>&apos;Recording time available: &apos;d &apos;days&apos; hh:mm:ss</source>
        <translation>&apos;Доступное время записи: &apos;d&apos; дн. &apos;hh:mm:ss</translation>
    </message>
    <message>
        <source>No one frequency range specified!</source>
        <translation>Не задан ни один диапазон частот!</translation>
    </message>
    <message>
        <source>Wrong frequency ranges specified!</source>
        <translation>Заданы неверные диапазоны частот!</translation>
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
    <message>
        <source>Monitoring Tasks:</source>
        <translation>Задания мониторинга:</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Monitoring Control</source>
        <translation>Управление мониторингом</translation>
    </message>
    <message>
        <source>No tasks</source>
        <translation>Нет заданий</translation>
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
        <source>Schedule...</source>
        <translation>График...</translation>
    </message>
    <message>
        <source>View Log...</source>
        <translation>Журнал...</translation>
    </message>
    <message>
        <source>Working</source>
        <translation>Выполняется</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation>По расписанию</translation>
    </message>
    <message>
        <source>Failed to save tasks!</source>
        <translation>Не удалось сохранить задания!</translation>
    </message>
    <message>
        <source>Task named &apos;</source>
        <translation>Задание «</translation>
    </message>
    <message>
        <source>&apos; already exists!</source>
        <translation>» уже существует!</translation>
    </message>
    <message>
        <source>Failed to add new task!</source>
        <translation>Не удалось добавить новое задание!</translation>
    </message>
    <message>
        <source>Failed to edit the task!</source>
        <translation>Не удалось изменить задание!</translation>
    </message>
    <message>
        <source>Failed to remove the task!</source>
        <translation>Не удалось удалить задание!</translation>
    </message>
    <message>
        <source>No tasks in the list!</source>
        <translation>Список заданий пуст!</translation>
    </message>
    <message>
        <source>No tasks selected!</source>
        <translation>Не выбрано ни одного задания!</translation>
    </message>
    <message>
        <source>Starting monitoring...</source>
        <translation>Запуск мониторинга...</translation>
    </message>
    <message>
        <source>Failed to start monitoring!</source>
        <translation>Не удалось запустить мониторинг!</translation>
    </message>
    <message>
        <source>Monitoring stopped</source>
        <translation>Мониторинг остановлен</translation>
    </message>
    <message>
        <source>Monitoring in progress. Executing &apos;%1&apos;</source>
        <translation>Идёт мониторинг. Выполняется «%1»</translation>
    </message>
    <message>
        <source>Task status retrieval error!</source>
        <translation>Ошибка получения состояния задания!</translation>
    </message>
    <message>
        <source>Start scheduled</source>
        <translation>Запуск по расписанию</translation>
    </message>
    <message>
        <source>Schedule turned off</source>
        <translation>Расписание выключено</translation>
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
    <message>
        <source>Group:</source>
        <translation>Группа:</translation>
    </message>
    <message>
        <source>Include image</source>
        <translation>Добавить снимок</translation>
    </message>
    <message>
        <source>Full Range</source>
        <translation>Полный диапазон</translation>
    </message>
    <message>
        <source>IF</source>
        <translation>ПЧ</translation>
    </message>
    <message>
        <source>Demodulation</source>
        <translation>Демодуляция</translation>
    </message>
    <message>
        <source>Include signal recording</source>
        <translation>Добавить запись сигнала</translation>
    </message>
    <message>
        <source>Stop signal recording after</source>
        <translation>Остановить запись сигнала через</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>сек</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>мин</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>час</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Путь</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Recording time available: n/a</source>
        <translation>Доступное время записи: н/д</translation>
    </message>
    <message>
        <source>Include sound recording</source>
        <translation>Добавить запись звука</translation>
    </message>
    <message>
        <source>Stop sound recording after</source>
        <translation>Остановить запись звука через</translation>
    </message>
    <message>
        <source>Save Recording As</source>
        <translation>Сохранить запись как</translation>
    </message>
    <message>
        <source>Recording files (*.rec)</source>
        <translation>Файлы записей (*.rec)</translation>
    </message>
    <message>
        <source>You should specify the path for the sound recording!</source>
        <translation>Укажите путь для записи звука!</translation>
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
    <message>
        <source>Failed to load filter data! Notice, that the file should be in subfolder Data of program folder!</source>
        <translation>Не удалось загрузить данные фильтра! Файл должен находиться в подпапке Data папки программы!</translation>
    </message>
    <message>
        <source>DeciCoeff must not be 0!</source>
        <translation>Коэффициент децимации не может быть равен 0!</translation>
    </message>
    <message>
        <source>Do you really want to store the bandwidth data permanently?</source>
        <translation>Действительно сохранить данные полосы постоянно?</translation>
    </message>
    <message>
        <source>Do you really want to insert new bandwidth?</source>
        <translation>Действительно вставить новую полосу?</translation>
    </message>
    <message>
        <source>Do you really want to delete the bandwidth?</source>
        <translation>Действительно удалить полосу?</translation>
    </message>
    <message>
        <source>Open FIR File</source>
        <translation>Открыть файл КИХ-фильтра</translation>
    </message>
    <message>
        <source>Filter files (*.fir)</source>
        <translation>Файлы фильтров (*.fir)</translation>
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
    <message>
        <source>Averaging</source>
        <translation>Усреднение</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Окно</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>-5 dB</source>
        <translation>-5 дБ</translation>
    </message>
    <message>
        <source>1 dB</source>
        <translation>1 дБ</translation>
    </message>
    <message>
        <source>7 dB</source>
        <translation>7 дБ</translation>
    </message>
    <message>
        <source>13 dB</source>
        <translation>13 дБ</translation>
    </message>
    <message>
        <source>19 dB</source>
        <translation>19 дБ</translation>
    </message>
    <message>
        <source>25 dB</source>
        <translation>25 дБ</translation>
    </message>
    <message>
        <source>-3 dB</source>
        <translation>-3 дБ</translation>
    </message>
    <message>
        <source>0 dB</source>
        <translation>0 дБ</translation>
    </message>
    <message>
        <source>+3 dB</source>
        <translation>+3 дБ</translation>
    </message>
    <message>
        <source>+12 dB</source>
        <translation>+12 дБ</translation>
    </message>
    <message>
        <source>+21 dB</source>
        <translation>+21 дБ</translation>
    </message>
    <message>
        <source>+30 dB</source>
        <translation>+30 дБ</translation>
    </message>
    <message>
        <source>+36 dB</source>
        <translation>+36 дБ</translation>
    </message>
    <message>
        <source>+45 dB</source>
        <translation>+45 дБ</translation>
    </message>
    <message>
        <source>+51 dB</source>
        <translation>+51 дБ</translation>
    </message>
    <message>
        <source>+60 dB</source>
        <translation>+60 дБ</translation>
    </message>
    <message>
        <source>31 dB</source>
        <translation>31 дБ</translation>
    </message>
    <message>
        <source>37 dB</source>
        <translation>37 дБ</translation>
    </message>
    <message>
        <source>6 dB</source>
        <translation>6 дБ</translation>
    </message>
    <message>
        <source>12 dB</source>
        <translation>12 дБ</translation>
    </message>
    <message>
        <source>18 dB</source>
        <translation>18 дБ</translation>
    </message>
    <message>
        <source>24 dB</source>
        <translation>24 дБ</translation>
    </message>
    <message>
        <source>30 dB</source>
        <translation>30 дБ</translation>
    </message>
    <message>
        <source>36 dB</source>
        <translation>36 дБ</translation>
    </message>
    <message>
        <source>14 dB</source>
        <translation>14 дБ</translation>
    </message>
    <message>
        <source>26 dB</source>
        <translation>26 дБ</translation>
    </message>
    <message>
        <source>38 dB</source>
        <translation>38 дБ</translation>
    </message>
    <message>
        <source>56 dB</source>
        <translation>56 дБ</translation>
    </message>
    <message>
        <source>76 dB</source>
        <translation>76 дБ</translation>
    </message>
    <message>
        <source>96 dB</source>
        <translation>96 дБ</translation>
    </message>
    <message>
        <source>4-5</source>
        <translation>4-5</translation>
    </message>
    <message>
        <source>3-6</source>
        <translation>3-6</translation>
    </message>
    <message>
        <source>1-2</source>
        <translation>1-2</translation>
    </message>
    <message>
        <source>7-8</source>
        <translation>7-8</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>1-3</source>
        <translation>1-3</translation>
    </message>
    <message>
        <source>Negative</source>
        <translation>Инверсия</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Не подключено</translation>
    </message>
    <message>
        <source>2 dB</source>
        <translation>2 дБ</translation>
    </message>
    <message>
        <source>3 dB</source>
        <translation>3 дБ</translation>
    </message>
    <message>
        <source>4 dB</source>
        <translation>4 дБ</translation>
    </message>
    <message>
        <source>5 dB</source>
        <translation>5 дБ</translation>
    </message>
    <message>
        <source>8 dB</source>
        <translation>8 дБ</translation>
    </message>
    <message>
        <source>9 dB</source>
        <translation>9 дБ</translation>
    </message>
    <message>
        <source>10 dB</source>
        <translation>10 дБ</translation>
    </message>
    <message>
        <source>11 dB</source>
        <translation>11 дБ</translation>
    </message>
    <message>
        <source>15 dB</source>
        <translation>15 дБ</translation>
    </message>
    <message>
        <source>60 MHz</source>
        <translation>60 МГц</translation>
    </message>
    <message>
        <source>55 MHz</source>
        <translation>55 МГц</translation>
    </message>
    <message>
        <source>50 MHz</source>
        <translation>50 МГц</translation>
    </message>
    <message>
        <source>45 MHz</source>
        <translation>45 МГц</translation>
    </message>
    <message>
        <source>40 MHz</source>
        <translation>40 МГц</translation>
    </message>
    <message>
        <source>35 MHz</source>
        <translation>35 МГц</translation>
    </message>
    <message>
        <source>30 MHz</source>
        <translation>30 МГц</translation>
    </message>
    <message>
        <source>25 MHz</source>
        <translation>25 МГц</translation>
    </message>
    <message>
        <source>20 MHz</source>
        <translation>20 МГц</translation>
    </message>
    <message>
        <source>15 MHz</source>
        <translation>15 МГц</translation>
    </message>
    <message>
        <source>10 MHz</source>
        <translation>10 МГц</translation>
    </message>
    <message>
        <source>5 MHz</source>
        <translation>5 МГц</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>Настр.</translation>
    </message>
    <message>
        <source>ANT1</source>
        <translation>ANT1</translation>
    </message>
    <message>
        <source>ANT2</source>
        <translation>ANT2</translation>
    </message>
    <message>
        <source>ANT3</source>
        <translation>ANT3</translation>
    </message>
    <message>
        <source>ANT4</source>
        <translation>ANT4</translation>
    </message>
    <message>
        <source>1 Channel</source>
        <translation>Канал 1</translation>
    </message>
    <message>
        <source>2 Channel</source>
        <translation>Канал 2</translation>
    </message>
    <message>
        <source>3 Channel</source>
        <translation>Канал 3</translation>
    </message>
    <message>
        <source>4 Channel</source>
        <translation>Канал 4</translation>
    </message>
    <message>
        <source>9 GHz (full)</source>
        <translation>9 ГГц (полный)</translation>
    </message>
    <message>
        <source>6-6.5 GHz</source>
        <translation>6-6.5 ГГц</translation>
    </message>
    <message>
        <source>6.5-7 GHz</source>
        <translation>6.5-7 ГГц</translation>
    </message>
    <message>
        <source>7-7.5 GHz</source>
        <translation>7-7.5 ГГц</translation>
    </message>
    <message>
        <source>7.5-8 GHz</source>
        <translation>7.5-8 ГГц</translation>
    </message>
    <message>
        <source>8-8.5 GHz</source>
        <translation>8-8.5 ГГц</translation>
    </message>
    <message>
        <source>8.5-9 GHz</source>
        <translation>8.5-9 ГГц</translation>
    </message>
    <message>
        <source>9-9.5 GHz</source>
        <translation>9-9.5 ГГц</translation>
    </message>
    <message>
        <source>9.5-10 GHz</source>
        <translation>9.5-10 ГГц</translation>
    </message>
    <message>
        <source>10-10.5 GHz</source>
        <translation>10-10.5 ГГц</translation>
    </message>
    <message>
        <source>10.5-11 GHz</source>
        <translation>10.5-11 ГГц</translation>
    </message>
    <message>
        <source>11-11.5 GHz</source>
        <translation>11-11.5 ГГц</translation>
    </message>
    <message>
        <source>11.5-12 GHz</source>
        <translation>11.5-12 ГГц</translation>
    </message>
    <message>
        <source>12-12.5 GHz</source>
        <translation>12-12.5 ГГц</translation>
    </message>
    <message>
        <source>12.5-13 GHz</source>
        <translation>12.5-13 ГГц</translation>
    </message>
    <message>
        <source>17 GHz</source>
        <translation>17 ГГц</translation>
    </message>
    <message>
        <source>17.5 GHz</source>
        <translation>17.5 ГГц</translation>
    </message>
    <message>
        <source>18 GHz</source>
        <translation>18 ГГц</translation>
    </message>
    <message>
        <source>18.5 GHz</source>
        <translation>18.5 ГГц</translation>
    </message>
    <message>
        <source>19 GHz</source>
        <translation>19 ГГц</translation>
    </message>
    <message>
        <source>19.5 GHz</source>
        <translation>19.5 ГГц</translation>
    </message>
    <message>
        <source>20 GHz</source>
        <translation>20 ГГц</translation>
    </message>
    <message>
        <source>5.5 GHz</source>
        <translation>5.5 ГГц</translation>
    </message>
    <message>
        <source>13-13.5 GHz</source>
        <translation>13-13.5 ГГц</translation>
    </message>
    <message>
        <source>13.5-14 GHz</source>
        <translation>13.5-14 ГГц</translation>
    </message>
    <message>
        <source>14-14.5 GHz</source>
        <translation>14-14.5 ГГц</translation>
    </message>
    <message>
        <source>14.5-15 GHz</source>
        <translation>14.5-15 ГГц</translation>
    </message>
    <message>
        <source>15-15.5 GHz</source>
        <translation>15-15.5 ГГц</translation>
    </message>
    <message>
        <source>15.5-16 GHz</source>
        <translation>15.5-16 ГГц</translation>
    </message>
    <message>
        <source>16-16.5 GHz</source>
        <translation>16-16.5 ГГц</translation>
    </message>
    <message>
        <source>16.5-17 GHz</source>
        <translation>16.5-17 ГГц</translation>
    </message>
    <message>
        <source>17-17.5 GHz</source>
        <translation>17-17.5 ГГц</translation>
    </message>
    <message>
        <source>17.5-18 GHz</source>
        <translation>17.5-18 ГГц</translation>
    </message>
    <message>
        <source>7000 (inner freq=14000) MHz</source>
        <translation>7000 (внутр. частота=14000) МГц</translation>
    </message>
    <message>
        <source>100 (inner freq=9600) MHz</source>
        <translation>100 (внутр. частота=9600) МГц</translation>
    </message>
    <message>
        <source>11000 (inner freq=11000) MHz</source>
        <translation>11000 (внутр. частота=11000) МГц</translation>
    </message>
    <message>
        <source>FHSS</source>
        <translation>FHSS</translation>
    </message>
    <message>
        <source>FHSS Detection Enable</source>
        <translation>Включить обнаружение FHSS</translation>
    </message>
    <message>
        <source>Disable Band Spectrum</source>
        <translation>Отключить спектр полосы</translation>
    </message>
    <message>
        <source>FHSS 3</source>
        <translation>FHSS 3</translation>
    </message>
    <message>
        <source>FHSS Mode</source>
        <translation>Режим FHSS</translation>
    </message>
    <message>
        <source>0.5ms / 7ms / 0.3s</source>
        <translation>0.5 мс / 7 мс / 0.3 с</translation>
    </message>
    <message>
        <source>1ms / 14ms / 0.3s</source>
        <translation>1 мс / 14 мс / 0.3 с</translation>
    </message>
    <message>
        <source>2ms / 28ms / 0.3s</source>
        <translation>2 мс / 28 мс / 0.3 с</translation>
    </message>
    <message>
        <source>0.5ms / 7ms / 0.6s</source>
        <translation>0.5 мс / 7 мс / 0.6 с</translation>
    </message>
    <message>
        <source>1ms / 14ms / 0.6s</source>
        <translation>1 мс / 14 мс / 0.6 с</translation>
    </message>
    <message>
        <source>2ms / 28ms / 0.6s</source>
        <translation>2 мс / 28 мс / 0.6 с</translation>
    </message>
    <message>
        <source>0.5ms / 7ms / 1.2s</source>
        <translation>0.5 мс / 7 мс / 1.2 с</translation>
    </message>
    <message>
        <source>1ms / 14ms / 1.2s</source>
        <translation>1 мс / 14 мс / 1.2 с</translation>
    </message>
    <message>
        <source>2ms / 28ms / 1.2s</source>
        <translation>2 мс / 28 мс / 1.2 с</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Осциллограмма</translation>
    </message>
    <message>
        <source>Combine</source>
        <translation>Объединять</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>buffers</source>
        <translation>буферов</translation>
    </message>
    <message>
        <source>Draw Lines</source>
        <translation>Соединять точки линиями</translation>
    </message>
    <message>
        <source>Samples Count:</source>
        <translation>Число отсчётов:</translation>
    </message>
    <message>
        <source>256</source>
        <translation>256</translation>
    </message>
    <message>
        <source>512</source>
        <translation>512</translation>
    </message>
    <message>
        <source>1024</source>
        <translation>1024</translation>
    </message>
    <message>
        <source>2048</source>
        <translation>2048</translation>
    </message>
    <message>
        <source>4096</source>
        <translation>4096</translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation>Сканирование</translation>
    </message>
    <message>
        <source>Tune Off Mirror Channel</source>
        <translation>Отстройка от зерк. канала</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Tune number:</source>
        <translation>Номер настройки:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>DeciCoeff:</source>
        <translation>Коэф. децимации:</translation>
    </message>
    <message>
        <source>OutputScaling:</source>
        <translation>Масштаб выхода:</translation>
    </message>
    <message>
        <source>CorrectAmpl:</source>
        <translation>Поправка амплитуды:</translation>
    </message>
    <message>
        <source>FIR</source>
        <translation>КИХ-фильтр</translation>
    </message>
    <message>
        <source>FIR Name:</source>
        <translation>Файл КИХ:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>TapCount:</source>
        <translation>Число отводов:</translation>
    </message>
    <message>
        <source>128</source>
        <translation>128</translation>
    </message>
    <message>
        <source>64</source>
        <translation>64</translation>
    </message>
    <message>
        <source>32</source>
        <translation>32</translation>
    </message>
    <message>
        <source>16</source>
        <translation>16</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Audio device: </source>
        <translation>Аудиоустройство: </translation>
    </message>
    <message>
        <source>Gain Level (%):</source>
        <translation>Уровень усиления (%):</translation>
    </message>
    <message>
        <source>Declicker</source>
        <translation>Подавление щелчков</translation>
    </message>
    <message>
        <source>Denoiser</source>
        <translation>Подавление шума</translation>
    </message>
    <message>
        <source>Median filter</source>
        <translation>Медианный фильтр</translation>
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
    <name>CPreferencesWindow</name>
    <message>
        <source>Archive Folder</source>
        <translation>Папка архива</translation>
    </message>
</context>
<context>
    <name>CPreferencesWindowClass</name>
    <message>
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>User Colors</source>
        <translation>Цвета пользователя</translation>
    </message>
    <message>
        <source>Custom background color:</source>
        <translation>Свой цвет фона:</translation>
    </message>
    <message>
        <source>Custom spectrum color:</source>
        <translation>Свой цвет спектра:</translation>
    </message>
    <message>
        <source>Custom oscilloscope 1 color:</source>
        <translation>Свой цвет осциллограммы 1:</translation>
    </message>
    <message>
        <source>Custom oscilloscope 2 color:</source>
        <translation>Свой цвет осциллограммы 2:</translation>
    </message>
    <message>
        <source>Main cursor color:</source>
        <translation>Цвет основного курсора:</translation>
    </message>
    <message>
        <source>Bandwidth border color:</source>
        <translation>Цвет границ полосы:</translation>
    </message>
    <message>
        <source>Delta cursor color:</source>
        <translation>Цвет разностного курсора:</translation>
    </message>
    <message>
        <source>Current position lines color:</source>
        <translation>Цвет линий текущей позиции:</translation>
    </message>
    <message>
        <source>Threshold line color:</source>
        <translation>Цвет линии порога:</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Выбрать...</translation>
    </message>
    <message>
        <source>Archive Folder</source>
        <translation>Папка архива</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>IP Address (restart this program if changed!!!)</source>
        <translation>IP-адрес (после изменения перезапустите программу!!!)</translation>
    </message>
    <message>
        <source>USB (%1)</source>
        <translation>USB (%1)</translation>
    </message>
    <message>
        <source>User&apos;s IP Address (192.168.1.100)</source>
        <translation>Свой IP-адрес (192.168.1.100)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
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
    <name>CPulseLogFilterDialog</name>
    <message>
        <source>Pulse Log Filter</source>
        <translation>Фильтр журнала импульсов</translation>
    </message>
    <message>
        <source>Enable Filter</source>
        <translation>Включить фильтр</translation>
    </message>
    <message>
        <source>Show signals with pulse duration between </source>
        <translation>Показывать сигналы с длительностью импульса от </translation>
    </message>
    <message>
        <source>and</source>
        <translation>до</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>Show signals with frequency between</source>
        <translation>Показывать сигналы с частотой от</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>Show signals with amplitude between</source>
        <translation>Показывать сигналы с амплитудой от</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
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
    <name>CPulseLogWindow</name>
    <message>
        <source>Pulse Detector Log Window</source>
        <translation>Журнал детектора импульсов</translation>
    </message>
    <message>
        <source>Date/time</source>
        <translation>Дата/время</translation>
    </message>
    <message>
        <source>Freq. (+/- 32 MHz)</source>
        <translation>Част. (+/- 32 МГц)</translation>
    </message>
    <message>
        <source>Pulse Duration</source>
        <translation>Длит. импульса</translation>
    </message>
    <message>
        <source>Signal Duration</source>
        <translation>Длит. сигнала</translation>
    </message>
    <message>
        <source>Peak Level</source>
        <translation>Пиковый уровень</translation>
    </message>
    <message>
        <source>Filter...</source>
        <translation>Фильтр...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Save As HTML...</source>
        <translation>Сохранить в HTML...</translation>
    </message>
    <message>
        <source>0 events</source>
        <translation>Событий: 0</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Refresh every 10 seconds</source>
        <translation>Обновлять каждые 10 с</translation>
    </message>
    <message>
        <source>%1 events filtered</source>
        <translation>Событий (фильтр): %1</translation>
    </message>
    <message>
        <source>%1 events</source>
        <translation>Событий: %1</translation>
    </message>
    <message>
        <source>Add to Archive...</source>
        <translation>Добавить в архив...</translation>
    </message>
    <message>
        <source>Clear...</source>
        <translation>Очистить...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Save Log As Web page</source>
        <translation>Сохранить журнал как веб-страницу</translation>
    </message>
    <message>
        <source>Web pages (*.htm *.html)</source>
        <translation>Веб-страницы (*.htm *.html)</translation>
    </message>
    <message>
        <source>Discovered signals</source>
        <translation>Обнаруженные сигналы</translation>
    </message>
    <message>
        <source>Error saving pulse detection results!</source>
        <translation>Ошибка сохранения результатов обнаружения импульсов!</translation>
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
    <message>
        <source>Frequency Ranges</source>
        <translation>Диапазоны частот</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Pulse Duration Range</source>
        <translation>Диапазон длительности импульсов</translation>
    </message>
    <message>
        <source>0.1 µs - 0.4 ms</source>
        <translation>0.1 мкс - 0.4 мс</translation>
    </message>
    <message>
        <source>10 µs - 3.2 ms</source>
        <translation>10 мкс - 3.2 мс</translation>
    </message>
    <message>
        <source>50 µs - 13 ms</source>
        <translation>50 мкс - 13 мс</translation>
    </message>
    <message>
        <source>200 µs - 52 ms</source>
        <translation>200 мкс - 52 мс</translation>
    </message>
    <message>
        <source>1 ms - 208 ms</source>
        <translation>1 мс - 208 мс</translation>
    </message>
    <message>
        <source>Threshold level</source>
        <translation>Пороговый уровень</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
    <message>
        <source>Current Frequency</source>
        <translation>Текущая частота</translation>
    </message>
    <message>
        <source>Step-</source>
        <translation>Шаг-</translation>
    </message>
    <message>
        <source>Step+</source>
        <translation>Шаг+</translation>
    </message>
    <message>
        <source>View Log...</source>
        <translation>Журнал...</translation>
    </message>
    <message>
        <source>Frequency Range</source>
        <translation>Диапазон частот</translation>
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
        <source>Wrong start frequency!</source>
        <translation>Неверная начальная частота!</translation>
    </message>
    <message>
        <source>Wrong end frequency!</source>
        <translation>Неверная конечная частота!</translation>
    </message>
    <message>
        <source>Wrong range!</source>
        <translation>Неверный диапазон!</translation>
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
    <name>CQVideoWidget</name>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
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
    <name>CScanerOptionsDialogClass</name>
    <message>
        <source>ScanerChannel Options</source>
        <translation>Параметры канала сканера</translation>
    </message>
    <message>
        <source>IC-R8500</source>
        <translation>IC-R8500</translation>
    </message>
    <message>
        <source>AR-5000</source>
        <translation>AR-5000</translation>
    </message>
    <message>
        <source>AR-8600</source>
        <translation>AR-8600</translation>
    </message>
    <message>
        <source>AR-3000A</source>
        <translation>AR-3000A</translation>
    </message>
    <message>
        <source>Custom1</source>
        <translation>Польз. 1</translation>
    </message>
    <message>
        <source>Custom2</source>
        <translation>Польз. 2</translation>
    </message>
    <message>
        <source>Custom3</source>
        <translation>Польз. 3</translation>
    </message>
    <message>
        <source>Custom4</source>
        <translation>Польз. 4</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Model Name:</source>
        <translation>Название модели:</translation>
    </message>
    <message>
        <source>Data Transfer Speed:</source>
        <translation>Скорость передачи:</translation>
    </message>
    <message>
        <source>Min frequency (MHz):</source>
        <translation>Мин. частота (МГц):</translation>
    </message>
    <message>
        <source>Max frequency (MHz):</source>
        <translation>Макс. частота (МГц):</translation>
    </message>
    <message>
        <source>Intermediate frequency (MHz):</source>
        <translation>Промежуточная частота (МГц):</translation>
    </message>
    <message>
        <source>IF Filter Bandwidth (MHz):</source>
        <translation>Полоса фильтра ПЧ (МГц):</translation>
    </message>
    <message>
        <source>Frequency Step (MHz):</source>
        <translation>Шаг частоты (МГц):</translation>
    </message>
    <message>
        <source>Frequency Setup Time:</source>
        <translation>Время установки частоты:</translation>
    </message>
    <message>
        <source>Relative Amp:</source>
        <translation>Отн. амплитуда:</translation>
    </message>
    <message>
        <source>38.2 Kbps</source>
        <translation>38.2 кбит/с</translation>
    </message>
    <message>
        <source>19.2 Kbps</source>
        <translation>19.2 кбит/с</translation>
    </message>
    <message>
        <source>9.6 Kbps</source>
        <translation>9.6 кбит/с</translation>
    </message>
    <message>
        <source>4.8 Kbps</source>
        <translation>4.8 кбит/с</translation>
    </message>
    <message>
        <source>Save Values</source>
        <translation>Сохранить значения</translation>
    </message>
    <message>
        <source>Bypassed Frequencies</source>
        <translation>Пропускаемые частоты</translation>
    </message>
    <message>
        <source>Show bypassed frequencies spectrum</source>
        <translation>Показывать спектр пропускаемых частот</translation>
    </message>
    <message>
        <source>Add bypassed frequencies...</source>
        <translation>Добавить пропускаемые частоты...</translation>
    </message>
    <message>
        <source>Reset bypassed frequencies...</source>
        <translation>Сбросить пропускаемые частоты...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <translation>Фикс. частота</translation>
    </message>
    <message>
        <source>Scan in Range</source>
        <translation>Скан. в диапазоне</translation>
    </message>
    <message>
        <source>Optimize Spectrum Scale</source>
        <translation>Оптим. масштаб спектра</translation>
    </message>
    <message>
        <source>Tuner Model</source>
        <translation>Приёмник</translation>
    </message>
    <message>
        <source>&lt;Tuner&gt;</source>
        <translation>&lt;Tuner&gt;</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <source>Substract bypass frequencies
from IF spectrum</source>
        <translation>Вычитать пропуск. частоты
из спектра ПЧ</translation>
    </message>
    <message>
        <source>Fixed Frequency Tuning</source>
        <translation>Настройка на частоту</translation>
    </message>
    <message>
        <source>Frequency=</source>
        <translation>Частота=</translation>
    </message>
    <message>
        <source>Scan Range</source>
        <translation>Скан. диапазона</translation>
    </message>
    <message>
        <source>Max Possible Range</source>
        <translation>Макс. диапазон</translation>
    </message>
    <message>
        <source>Speed: less/more</source>
        <translation>Скорость: ниже/выше</translation>
    </message>
    <message>
        <source>Start=</source>
        <translation>Нач.=</translation>
    </message>
    <message>
        <source>  Stop=</source>
        <translation>  Кон.=</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Enable/Disable
ScanerChannel</source>
        <translation>Вкл./выкл.
канал сканера</translation>
    </message>
</context>
<context>
    <name>CScheduleDialog</name>
    <message>
        <source>Set Schedule</source>
        <translation>Задать расписание</translation>
    </message>
    <message>
        <source>Enable Schedule</source>
        <translation>Включение расписания</translation>
    </message>
    <message>
        <source>Enable schedule</source>
        <translation>Включить расписание</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>Ежедневно</translation>
    </message>
    <message>
        <source>On specified date:</source>
        <translation>В указанную дату:</translation>
    </message>
    <message>
        <source>On specified days of week:</source>
        <translation>В указанные дни недели:</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>Пн</translation>
    </message>
    <message>
        <source>Tu</source>
        <translation>Вт</translation>
    </message>
    <message>
        <source>We</source>
        <translation>Ср</translation>
    </message>
    <message>
        <source>Th</source>
        <translation>Чт</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Пт</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>Сб</translation>
    </message>
    <message>
        <source>Su</source>
        <translation>Вс</translation>
    </message>
    <message>
        <source>Time period: from</source>
        <translation>Интервал времени: с</translation>
    </message>
    <message>
        <source>to</source>
        <translation>до</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The end time must be later than the start time!</source>
        <translation>Время окончания должно быть позже времени начала!</translation>
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
    <message>
        <source>Load...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>From Archive...</source>
        <translation>Из архива...</translation>
    </message>
    <message>
        <source>New template range</source>
        <translation>Новый диапазон шаблона</translation>
    </message>
    <message>
        <source>Start frequency</source>
        <translation>Начальная частота</translation>
    </message>
    <message>
        <source>End frequency</source>
        <translation>Конечная частота</translation>
    </message>
    <message>
        <source>Maximum of 14 templates are supported!</source>
        <translation>Поддерживается не более 14 шаблонов!</translation>
    </message>
    <message>
        <source>Wrong frequency range!</source>
        <translation>Неверный диапазон частот!</translation>
    </message>
    <message>
        <source>Load Template</source>
        <translation>Загрузить шаблон</translation>
    </message>
    <message>
        <source>Template files (*.xml)</source>
        <translation>Файлы шаблонов (*.xml)</translation>
    </message>
    <message>
        <source>Save Template As</source>
        <translation>Сохранить шаблон как</translation>
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
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>10%</source>
        <translation>10%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
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
    <message>
        <source>Unexpected error occurred!</source>
        <translation>Произошла непредвиденная ошибка!</translation>
    </message>
    <message>
        <source>Loading data</source>
        <translation>Загрузка данных</translation>
    </message>
    <message>
        <source>Loaded data</source>
        <translation>Загруженные данные</translation>
    </message>
    <message>
        <source>Load Parameters</source>
        <translation>Загрузить параметры</translation>
    </message>
    <message>
        <source>Parameter files (*.ini)</source>
        <translation>Файлы параметров (*.ini)</translation>
    </message>
    <message>
        <source>Restart this Program to apply!!!</source>
        <translation>Перезапустите программу, чтобы изменения вступили в силу!!!</translation>
    </message>
    <message>
        <source>Save Parameters As</source>
        <translation>Сохранить параметры как</translation>
    </message>
    <message>
        <source>Close this Program to save current parameters into a file!!!</source>
        <translation>Закройте программу, чтобы сохранить текущие параметры в файл!!!</translation>
    </message>
    <message>
        <source>Do you want to reset all settings to default values?</source>
        <translation>Сбросить все настройки к значениям по умолчанию?</translation>
    </message>
    <message>
        <source>USB errors: </source>
        <translation>Ошибки USB: </translation>
    </message>
    <message>
        <source>Too wide bandwidth! Switching to the nearest allowed bandwith.</source>
        <translation>Слишком широкая полоса! Выбрана ближайшая допустимая полоса.</translation>
    </message>
    <message>
        <source>Sound playback is available for &quot;Bandwidth&quot; below 192 kHz only!</source>
        <translation>Воспроизведение звука доступно только при значении «Полоса» ниже 192 кГц!</translation>
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
    <message>
        <source>Modulation Mode</source>
        <translation>Вид модуляции</translation>
    </message>
    <message>
        <source>AM</source>
        <translation>АМ</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Стандарт</translation>
    </message>
    <message>
        <source>PCM</source>
        <translation>ИКМ</translation>
    </message>
    <message>
        <source>13-14 GHz</source>
        <translation>13-14 ГГц</translation>
    </message>
    <message>
        <source>Modulation Frequency:</source>
        <translation>Частота модуляции:</translation>
    </message>
    <message>
        <source>1 KHz</source>
        <translation>1 кГц</translation>
    </message>
    <message>
        <source>5 KHz</source>
        <translation>5 кГц</translation>
    </message>
    <message>
        <source>20 KHz</source>
        <translation>20 кГц</translation>
    </message>
    <message>
        <source>1 Hz</source>
        <translation>1 Гц</translation>
    </message>
    <message>
        <source>10 Hz</source>
        <translation>10 Гц</translation>
    </message>
    <message>
        <source>20 Hz</source>
        <translation>20 Гц</translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation>50 Гц</translation>
    </message>
    <message>
        <source>100 Hz</source>
        <translation>100 Гц</translation>
    </message>
    <message>
        <source>0.75 MHz</source>
        <translation>0.75 МГц</translation>
    </message>
    <message>
        <source>1.5 MHz</source>
        <translation>1.5 МГц</translation>
    </message>
    <message>
        <source>3 MHz</source>
        <translation>3 МГц</translation>
    </message>
    <message>
        <source>6 MHz</source>
        <translation>6 МГц</translation>
    </message>
    <message>
        <source>12 MHz</source>
        <translation>12 МГц</translation>
    </message>
    <message>
        <source>24 MHz</source>
        <translation>24 МГц</translation>
    </message>
    <message>
        <source>40 KHz</source>
        <translation>40 кГц</translation>
    </message>
    <message>
        <source>100 KHz</source>
        <translation>100 кГц</translation>
    </message>
    <message>
        <source>220 KHz</source>
        <translation>220 кГц</translation>
    </message>
    <message>
        <source>460 KHz</source>
        <translation>460 кГц</translation>
    </message>
    <message>
        <source>180 KHz</source>
        <translation>180 кГц</translation>
    </message>
    <message>
        <source>400 KHz</source>
        <translation>400 кГц</translation>
    </message>
    <message>
        <source>870 KHz</source>
        <translation>870 кГц</translation>
    </message>
    <message>
        <source>1.8 MHz</source>
        <translation>1.8 МГц</translation>
    </message>
    <message>
        <source>Hopping Frequency:</source>
        <translation>Частота скачков:</translation>
    </message>
    <message>
        <source>500 Hz</source>
        <translation>500 Гц</translation>
    </message>
    <message>
        <source>3 KHz</source>
        <translation>3 кГц</translation>
    </message>
    <message>
        <source>10 KHz</source>
        <translation>10 кГц</translation>
    </message>
    <message>
        <source>Frequency Band:</source>
        <translation>Полоса частот:</translation>
    </message>
    <message>
        <source>48 MHz</source>
        <translation>48 МГц</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>16</source>
        <translation>16</translation>
    </message>
    <message>
        <source>64</source>
        <translation>64</translation>
    </message>
    <message>
        <source>256</source>
        <translation>256</translation>
    </message>
    <message>
        <source>2 (BPSK)</source>
        <translation>2 (BPSK)</translation>
    </message>
    <message>
        <source>4 (QPSK)</source>
        <translation>4 (QPSK)</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>32</source>
        <translation>32</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>KHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>Do you want to default ALL SETTINGS?</source>
        <translation>Сбросить ВСЕ НАСТРОЙКИ к значениям по умолчанию?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Wrong value! Time ON + Time OFF shoud be less then 100 ms</source>
        <translation>Неверное значение! Сумма «Время ВКЛ» и «Время ВЫКЛ» должна быть меньше 100 мс</translation>
    </message>
    <message>
        <source>Pulse = %1 sec; Period = %2 sec</source>
        <translation>Импульс = %1 с; период = %2 с</translation>
    </message>
    <message>
        <source>Signal List files (*.xml)</source>
        <translation>Файлы списков сигналов (*.xml)</translation>
    </message>
    <message>
        <source>NOT SELECTED</source>
        <translation>НЕ ВЫБРАНО</translation>
    </message>
    <message>
        <source>File data error!</source>
        <translation>Ошибка данных в файле!</translation>
    </message>
    <message>
        <source>&apos;Title&apos; must be filled!</source>
        <translation>Поле «Название» должно быть заполнено!</translation>
    </message>
    <message>
        <source>Do you really want to save changes?</source>
        <translation>Действительно сохранить изменения?</translation>
    </message>
    <message>
        <source>This item cannot be deleted!</source>
        <translation>Этот элемент нельзя удалить!</translation>
    </message>
    <message>
        <source>Do you really want to delete this item?</source>
        <translation>Действительно удалить этот элемент?</translation>
    </message>
    <message>
        <source>Save Signal List  As</source>
        <translation>Сохранить список сигналов как</translation>
    </message>
    <message>
        <source>File error!</source>
        <translation>Ошибка файла!</translation>
    </message>
    <message>
        <source>Do you really want to load another list of signals?</source>
        <translation>Действительно загрузить другой список сигналов?</translation>
    </message>
    <message>
        <source>Load Signal List</source>
        <translation>Загрузка списка сигналов</translation>
    </message>
    <message>
        <source>File content error!</source>
        <translation>Ошибка содержимого файла!</translation>
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
    <message>
        <source>HF/SHF 0.1-6 GHz</source>
        <translation>ВЧ/СВЧ 0.1-6 ГГц</translation>
    </message>
    <message>
        <source>GSM 3G 4G DT WF BT</source>
        <translation>GSM 3G 4G DT WF BT</translation>
    </message>
    <message>
        <source>LF/MF .01-120KHz</source>
        <translation>НЧ/СЧ 0.01-120 кГц</translation>
    </message>
    <message>
        <source>RJ45 0.01-20000KHz</source>
        <translation>RJ45 0.01-20000 кГц</translation>
    </message>
    <message>
        <source>220V 30-20000KHz</source>
        <translation>220 В 30-20000 кГц</translation>
    </message>
    <message>
        <source>IR 940nm</source>
        <translation>ИК 940 нм</translation>
    </message>
    <message>
        <source>SHF 13-14 GHz</source>
        <translation>СВЧ 13-14 ГГц</translation>
    </message>
    <message>
        <source>Modulation Mode</source>
        <translation>Вид модуляции</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Метод</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ВЫКЛ</translation>
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
        <source>FSK</source>
        <translation>FSK</translation>
    </message>
    <message>
        <source>FHSS</source>
        <translation>FHSS</translation>
    </message>
    <message>
        <source>DSSS</source>
        <translation>DSSS</translation>
    </message>
    <message>
        <source>PULSE</source>
        <translation>ИМПУЛЬС</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>ШИМ</translation>
    </message>
    <message>
        <source>GSM-900</source>
        <translation>GSM-900</translation>
    </message>
    <message>
        <source>GSM-1800</source>
        <translation>GSM-1800</translation>
    </message>
    <message>
        <source>CDMA-450</source>
        <translation>CDMA-450</translation>
    </message>
    <message>
        <source>3G-2100</source>
        <translation>3G-2100</translation>
    </message>
    <message>
        <source>4G-2600</source>
        <translation>4G-2600</translation>
    </message>
    <message>
        <source>DECT</source>
        <translation>DECT</translation>
    </message>
    <message>
        <source>WLAN 2.4G</source>
        <translation>WLAN 2.4G</translation>
    </message>
    <message>
        <source>WLAN 5G</source>
        <translation>WLAN 5G</translation>
    </message>
    <message>
        <source>BLUETOOTH</source>
        <translation>BLUETOOTH</translation>
    </message>
    <message>
        <source>QAM</source>
        <translation>QAM</translation>
    </message>
    <message>
        <source>PSK</source>
        <translation>PSK</translation>
    </message>
    <message>
        <source>OFDM</source>
        <translation>OFDM</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Шаг</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Carrier Type:</source>
        <translation>Тип несущей:</translation>
    </message>
    <message>
        <source>Carrier Frequency</source>
        <translation>Частота несущей</translation>
    </message>
    <message>
        <source>Octave Frequency</source>
        <translation>Октавная частота</translation>
    </message>
    <message>
        <source>1/3 Octave Frequency</source>
        <translation>1/3-октавная частота</translation>
    </message>
    <message>
        <source>___</source>
        <translation>___</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>7.5%</source>
        <translation>7.5%</translation>
    </message>
    <message>
        <source>14%</source>
        <translation>14%</translation>
    </message>
    <message>
        <source>20%</source>
        <translation>20%</translation>
    </message>
    <message>
        <source>32%</source>
        <translation>32%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>65%</source>
        <translation>65%</translation>
    </message>
    <message>
        <source>80%</source>
        <translation>80%</translation>
    </message>
    <message>
        <source>Modulation Frequency:</source>
        <translation>Частота модуляции:</translation>
    </message>
    <message>
        <source>Deviation Frequency:</source>
        <translation>Девиация частоты:</translation>
    </message>
    <message>
        <source>Frequency Band:</source>
        <translation>Полоса частот:</translation>
    </message>
    <message>
        <source>20 MHz</source>
        <translation>20 МГц</translation>
    </message>
    <message>
        <source>60 MHz</source>
        <translation>60 МГц</translation>
    </message>
    <message>
        <source>Ratio:</source>
        <translation>Соотношение:</translation>
    </message>
    <message>
        <source>1:1</source>
        <translation>1:1</translation>
    </message>
    <message>
        <source>1:5</source>
        <translation>1:5</translation>
    </message>
    <message>
        <source>1:10</source>
        <translation>1:10</translation>
    </message>
    <message>
        <source>1:20</source>
        <translation>1:20</translation>
    </message>
    <message>
        <source>Number of Channels:</source>
        <translation>Число каналов:</translation>
    </message>
    <message>
        <source>16</source>
        <translation>16</translation>
    </message>
    <message>
        <source>Number of Points:</source>
        <translation>Число точек:</translation>
    </message>
    <message>
        <source>Pulse Parameters</source>
        <translation>Параметры импульсов</translation>
    </message>
    <message>
        <source>Time ON, sec</source>
        <translation>Время ВКЛ, с</translation>
    </message>
    <message>
        <source>Time OFF, min:sec</source>
        <translation>Время ВЫКЛ, мин:с</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Send SMS</source>
        <translation>Отправить SMS</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Длительность:</translation>
    </message>
    <message>
        <source>0.5 sec</source>
        <translation>0.5 с</translation>
    </message>
    <message>
        <source>1 sec</source>
        <translation>1 с</translation>
    </message>
    <message>
        <source>2 sec</source>
        <translation>2 с</translation>
    </message>
    <message>
        <source>IQ</source>
        <translation>IQ</translation>
    </message>
    <message>
        <source>Invert IQ</source>
        <translation>Инверсия IQ</translation>
    </message>
    <message>
        <source>Carrier Rejection</source>
        <translation>Подавление несущей</translation>
    </message>
    <message>
        <source>BW max</source>
        <translation>Макс. полоса</translation>
    </message>
    <message>
        <source>POWER max</source>
        <translation>Макс. мощность</translation>
    </message>
    <message>
        <source>User&apos;s Signals</source>
        <translation>Сигналы пользователя</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Сохранить изменения</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Select:</source>
        <translation>Выбор:</translation>
    </message>
    <message>
        <source>Save List</source>
        <translation>Сохранить список</translation>
    </message>
    <message>
        <source>Load List</source>
        <translation>Загрузить список</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
</context>
</TS>
