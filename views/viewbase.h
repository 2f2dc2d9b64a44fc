#pragma once

#include <QByteArray>
#include <QColor>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

#include "archiveentryrequest.h"

class CDeviceThread;
class CMeasurementsWindow;
class CRecorderWindow;
class IGraphic;
class CQWaterfallGraphicBase;
class QAction;
class QContextMenuEvent;
class QMenu;
class QMouseEvent;
class QPaintEvent;
class QResizeEvent;
class QWheelEvent;
class QDateTime;
class QIODevice;
class QPainter;

// The widget every signal view derives from. A view owns a set of named plot panes (painters, not
// widgets), shows one of them or two stacked, broadcasts every axis change to the panes it shows and
// routes the data the main window hands it to the pane of the right name. The painters are created
// and deleted by the derived view; this class only borrows them.
//
// Pane names shared by all views and the main window: "Spec", "Waterfall", "Osc", "Vec",
// "MultiSpec", "MultiWaterfall".
class CViewBase : public QWidget
{
    Q_OBJECT

public:
    explicit CViewBase(QWidget* parent = nullptr);
    ~CViewBase() override;

    // --- Axis broadcast: each call goes to every shown pane, top to bottom. ---
    virtual void SetXLimits(double min, double max, double limit);
    virtual void SetFixedXRange(double min, double max);
    virtual void SetXFrom(double value);
    virtual void SetXTo(double value);
    virtual void SetXWindow(double from, double to);
    virtual void ScrollX(double delta);
    virtual void SetYLimits(double min, double max);
    virtual void SetFixedYRange(double min, double max);
    virtual void SetYWindow(double from, double to);
    virtual void SetYFrom(double value);
    virtual void SetYTo(double value);
    virtual void ScrollY(double delta);

    // --- What each view supplies: its stored axis windows, full ranges and index mapping. ---
    virtual void ApplySpectrumXRange() = 0;
    virtual void ApplySpectrumYRange() = 0;
    virtual void ApplyOscXRange() = 0;
    virtual void ApplyOscYRange() = 0;
    virtual void ResetSpectrumXRange() = 0;
    virtual void ResetOscXRange() = 0;
    virtual void ResetSpectrumYRange() = 0;
    virtual void ResetOscYRange() = 0;
    virtual void FitLevelToNoise() = 0;
    virtual double IndexToX(int index) = 0;
    // OnAddToArchive is also a slot (declared below with the other slots).
    virtual bool CanZoomWhilePaused();
    virtual int XToIndex(double x) = 0;
    // OnCancelOp is also a slot (declared below).

    // --- Pane registry and layout. ---
    void AddGraphic(QString name, IGraphic* pane);
    IGraphic* GetGraphic(QString name);
    IGraphic* GetGraphicAt(int i);
    IGraphic* GetGraphicAtPoint(QPoint p);
    int GetShownCount() const { return m_Shown.size(); }
    void ShowPane(QString name);
    void ShowTwoPanes(QString top, QString bottom);
    void SyncPanes();

    // --- Axis settings and pause. ---
    void ApplyAxisSettings();
    void ResetAxes();
    void SetPauseState(int state);
    // 0 (running) when no pane is shown.
    virtual int GetPauseState();

    // --- Data entry points; a missing pane makes them do nothing. The ones the main window's data
    // tick calls are virtual so that a view can be watched in place of a shown one. ---
    virtual void SetSpectrumTraceData(const std::vector<double>& levels);
    virtual void SetMultiRangeData(int range, const std::vector<double>& levels);
    virtual void SetOscData(std::vector<double> samples);
    void SetOscIQData(std::vector<double> i, std::vector<double> q);
    virtual void AddWaterfallLine(const std::vector<double>& line);
    void AddWaterfallLineAt(qint64 timeMs, const std::vector<double>& line);
    void SetWaterfallBuffer(bool on, QString path);
    void ClearWaterfall();
    void ResetWaterfallTime();
    void CloseLoadedData();
    void SetInfoText(const QString& text, bool unused);
    QString GetInfoText() const { return m_InfoText; }

    // --- Measurements and level fit. ---
    virtual void UpdateMeasurements(const std::vector<double>& i, const std::vector<double>& q,
                                    const std::vector<double>& spectrum);
    void UpdateSpectrumMeasurements(const std::vector<double>& spectrum);
    void UpdateCursorMeasurements(const std::vector<double>& spectrum);
    void UpdateOscMeasurements(const std::vector<double>& i, const std::vector<double>& q);
    void CalcNoiseLevel(const std::vector<double>& v, double* level, bool belowMean, int first, int last);
    void FindMinMax(const std::vector<double>& v, double* min, int* minIndex, double* max, int* maxIndex,
                    int first, int last);
    void AutoFit();

    // --- Colours (group "Colors" of the settings document). ---
    virtual void ApplyColors();
    QColor GetAxisBandColor() const { return m_AxisBandColor; }
    QColor GetPositionLinesColor() const { return m_PositionLinesColor; }
    QColor GetDeltaCursorColor() const { return m_DeltaCursorColor; }

    // --- Trigger. ---
    void EnableTrigger(bool on, bool suppressPause);
    bool IsTriggerEnabled() const { return m_bTrigger; }
    bool IsTriggerPauseSuppressed() const { return m_bTriggerNoPause; }
    virtual void SetTriggerLevel(double level) { m_dTriggerLevel = level; }
    double GetTriggerLevel() const { return m_dTriggerLevel; }
    void CheckTrigger(const std::vector<double>& samples);

    // --- State queries. ---
    bool IsDeltaCursorOn() const { return m_bDeltaCursor; }
    bool IsLoadedData() const { return m_bLoadedData; }
    bool CanRecordSound();
    void Goto2Harmonic();
    void Goto3Harmonic();
    void DrawOverloadWarning(QPainter* painter);
    int GetPaintMode() const { return m_nPaintMode; }
    virtual void SetPaintMode(int mode) { m_nPaintMode = mode; }

    // --- Pane data files and archive images: a QDataStream in the Qt 5.12 format holding the pane's tag
    // (a QString, "rsd", "dod", ...) and then its payload. Payload kinds: 0 the pane's own
    // (IGraphic::Save and Load), 1 the shown oscillogram traces (only written: nothing is read after
    // the tag), 2 the vector pane's input traces, read back as its held traces.
    // Throws std::runtime_error when the file cannot be written whole; an existing file is then kept.
    void SavePaneData(QString path, QString tag, IGraphic* pane, int kind);
    // Validates the whole file before the pane changes, then sets the loaded-data flag. Throws
    // std::runtime_error: "Wrong file type!" for a file of another tag or one that cannot be read,
    // another text for a damaged payload; the pane and the flag are then as they were.
    void LoadPaneData(QString path, QString tag, IGraphic* pane, int kind);
    // The frame and payload on an open device, with the errors of SavePaneData and LoadPaneData.
    static void WritePaneFile(QIODevice* device, const QString& tag, IGraphic* pane, int kind);
    static void ReadPaneFile(QIODevice* device, const QString& tag, IGraphic* pane, int kind);
    // What OnLoadImageFromArchive does: the image of tag `type` into the first shown pane, then a
    // repaint; a file that cannot be shown is reported and leaves the view as it was. True when shown.
    bool ShowArchiveImage(const QString& file, const QString& type);
    // One row of a view's pane-file table: the painter class that takes it (the first row whose test
    // the pane passes), the file filter offered, the file's tag and its payload kind.
    struct PaneFileType
    {
        bool (*matches)(IGraphic* pane);
        QString filter;
        QString tag;
        int kind;
    };
    template <class Pane>
    static bool IsPaneOf(IGraphic* pane)
    {
        return dynamic_cast<Pane*>(pane) != nullptr;
    }
    // The menu's "Save Data...": the pane at the press point into a file the operator names, the
    // dialog titled `caption` starting in the folder stored as "FilePaths"/`folderKey`, which then
    // becomes the file's folder. A pane the table does not list or a cancelled dialog does nothing;
    // a failure shows `failure` followed by its reason and stores no folder. True when saved.
    bool SavePressedPane(const std::vector<PaneFileType>& table, const QString& folderKey,
                         const QString& caption, const QString& failure);
    // "Load Data...": the same dialog for a file to open; the loaded pane is held with data
    // operation 1 and the view shows loaded data. A refused file changes nothing (folder, pane,
    // operation, flag). True when loaded.
    bool LoadPressedPane(const std::vector<PaneFileType>& table, const QString& folderKey,
                         const QString& caption, const QString& failure);
    // A checkable menu entry, ticked when `checked`.
    static QAction* AddCheckableAction(QMenu* menu, const QString& text, bool checked);
    // Data operation `operation` on the pane at the press point, which then shows loaded data;
    // 0 there shows live data again. No pane there: nothing.
    void SetPressedDataOperation(int operation);
    void CancelPressedDataOperation();
    // <folder>/<yyyyMMddhhmmsszzz>_<tag>.img of the first millisecond from `now` on whose name is
    // free, so that two images never share a file and the name keeps its tag after the first "_".
    static QString NewArchiveImageName(const QString& folder, const QString& tag, const QDateTime& now);

    // --- Text and image export. ---
    // X of spectrum point `index` in the text export: index x the range sweep step. The band and
    // demodulation views, whose spectra are not the sweep, give their own X (IndexToX).
    virtual double ExportFrequency(int index);
    // Asks for a text file and writes the header, then one line per row: the columns as fixed numbers
    // with six decimals, tab-separated, "\r\n" ended; a column left empty is left out. Rows end with
    // the shortest column used. A failed write is reported.
    void ExportText(QString header, const std::vector<double>& column1, const std::vector<double>& column2,
                    const std::vector<double>& column3);
    // The text ExportText writes.
    static QByteArray FormatExportText(const QString& header, const std::vector<double>& column1,
                                       const std::vector<double>& column2,
                                       const std::vector<double>& column3);
    // Asks for a file and saves the whole view as a JPEG of quality 100.
    void ExportImage();

    // --- Axis settings per channel type and DDC band. A channel key is the channel prefix plus the
    // key ("HfStartXValue"); a band key puts the current DDC band's name, blanks removed, between
    // them ("Hf1MHzStartXValue"), so each channel type and each band keeps its own windows. Without
    // a valid current band, band reads take the channel key and band writes are skipped, so the
    // channel's defaults every band falls back to are never overwritten.
    static QString ChannelKey(const QString& key);
    static QString BandKey(const QString& key);
    // A value of the current DDC band (a CDeviceThread getter taking the band index, -1 = current),
    // or none while the band index lies outside the list (the options window may just have replaced
    // it): the library throws then.
    static std::optional<double> CurrentBandValue(double (CDeviceThread::*get)(int));
    // The control bits list at least one DDC band.
    static bool HasDdcBands();
    // A band read falls back to the channel key when the band key is absent (when `fallback`).
    static double ReadAxisValue(const QString& group, const QString& key, double defaultValue, bool band,
                                bool fallback);
    static void WriteAxisValue(const QString& group, const QString& key, double value, bool band);
    // The oscilloscope groups' trigger level: channel key for the range view, band key with the
    // channel key as fallback for the band views; 10.0 when neither is stored.
    static double ReadTriggerLevel(const QString& group, bool band);
    static void WriteTriggerLevel(const QString& group, double level, bool band);
    // Stores the spectrum and oscillogram windows and the trigger level under the view's two groups
    // (once per axis initialisation), as every view does when it saves its axis settings.
    void StoreAxisWindows(const QString& spectrumGroup, IGraphic* spectrum, const QString& oscGroup,
                          IGraphic* osc, bool band);

    // --- Mouse and wheel. Whether the X range of `pane` may change now (not fixed; not while a
    // paused pane or loaded data meet a running sweep, unless the view zooms while paused).
    bool CanZoomPane(IGraphic* pane);
    // Asks once per view, before an X change that resets a waterfall; false leaves the change undone.
    bool ConfirmWaterfallReset();
    // Speed of an edge drag in an axis cell: 0.01 at the cell's outer end up to 9.01 (X) or 0.91 (Y)
    // at its inner end; never below 0.01, so a pointer that leaves the cell cannot turn the drag round.
    static double XDragFactor(int x, QRect cell, bool fromRight);
    static double YDragFactor(int y, QRect cell);

    // --- Readouts of the pointer. The text for the pointer at (x, y) over `pane`, empty when none.
    QString CursorReadoutText(IGraphic* pane, int x, int y);
    // MHz of plot column px (from plot.left): the device thread's index-to-frequency table spread
    // over the plot width where it knows the frequency, else the pane's linear X; plus g_FreqOffset.
    double FreqAtPixel(IGraphic* pane, QRect plot, int px);
    // Milliseconds of the waterfall's shown window per pixel of the pane's height; 0.0 without height.
    static double WaterfallMsPerPixel(CQWaterfallGraphicBase* waterfall);
    // The blinking caption at the top left: drawn on 7 of every 8 calls.
    void DrawCaption(QPainter* painter, const QString& text);
    // The view's mark ("Full", "BND") in white in `pane`'s corner left of its X axis band, the
    // painter clipped to that corner.
    static void DrawCornerMark(QPainter* painter, IGraphic* pane, const QString& text);

    // Windows the main window or the derived views hand the view; null until then.
    CMeasurementsWindow* m_pMeasurementsWindow = nullptr;
    CRecorderWindow* m_pSignalRecorderWindow = nullptr;
    CRecorderWindow* m_pSoundRecorderWindow = nullptr;
    QWidget* m_pNoiseQualityWindow = nullptr;
    // Set by the main window while pulse detection is shown: a level set by the user then arms the
    // trigger without its pause.
    bool m_bPulseMode = false;

signals:
    void changeDdcFreq(double freqMHz);
    void pause();
    void saveArchive();
    void changedTriggerLevel(double level);
    void pressCorner();

public slots:
    // Views that file an archive entry of their own override it; the vector and noise-quality views
    // have nothing to file and keep this one, which does nothing.
    virtual void OnAddToArchive();
    // Shows an archive image (a pane file whose tag is `type`) in the first shown pane, which the
    // main window has chosen from the tag; the view then shows loaded data. A file of another type
    // is reported to the operator and leaves the pane as it was.
    void OnLoadImageFromArchive(QString file, QString type);
    // One archive entry without image or recording, stamped now: frequencies in Hz, level in dBm;
    // channel -1 stands for the current input channel type. Nothing is filed without an archive;
    // an entry the archive refuses is reported to the operator.
    void AddEntryToArchive(int group, QString comment, double lowHz, double highHz, double peakHz,
                           double level, double excess, int source, int channel);
    // An archive entry from the pane at the press point (view: 0 range, 1 band, 2 demodulation): the
    // pane's image into the archive folder when writeImage, the requested recordings, the entry filed
    // for the current channel type; frequencies in Hz. saveArchive() follows a filed entry. Every
    // failure is reported; an image that cannot be written leaves the entry without one.
    void AddEntryToArchive(bool writeImage, int view, const SIGNAL_RECORDING_PARAMS& signal,
                           const SOUND_RECORDING_PARAMS& sound, int group, QString comment, double freqBegin,
                           double freqEnd, double freqPeak, double level, double excess, int source);
    void SetEnvelope(bool on);
    // The pane under the press point as a tab-separated text file; the whole view as a JPEG picture.
    void OnExportText();
    void OnExportImage();
    void OnEnableDeltaCursor();
    void OnEnableAutoScale();
    void OnEnableTrigger();
    void OnSetTriggerLevelHere();
    void OnSetTriggerLevel();
    void OnViewMeasures();
    void OnAddToArchiveGoto2Harmonic();
    void OnAddToArchiveGoto3Harmonic();
    void OnNoiseQuality();
    virtual void OnCancelOp() = 0;
    bool IsNoScreen();
    void OnXMinMenuValueSelected();
    void OnXMaxMenuValueSelected();
    void OnYMinMenuValueSelected();
    void OnYMaxMenuValueSelected();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Cursor shape and drags; ends with one synchronous repaint, so the readouts follow the pointer.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The zero button of the spectrum views: unless loaded data are shown, the level window of the
    // "Spec" pane starts 5 dB under the noise level of its live trace (nothing without a level).
    void FitSpectrumLevelToNoise();

    QMap<QString, IGraphic*> m_Graphics;
    QVector<IGraphic*> m_Shown;
    QPoint m_PressPoint;
    QPoint m_LastPoint;
    bool m_bButtonDown = false;
    QColor m_AxisBandColor{17, 17, 27, 255};
    QColor m_PositionLinesColor{Qt::lightGray};
    QColor m_DeltaCursorColor{Qt::lightGray};
    // X value of the last spectrum maximum.
    double m_dMaxFreq = 0.0;
    // A pane shows data loaded from a pane file or the archive.
    bool m_bLoadedData = false;
    // Set by ApplyAxisSettings; the derived views store their axis settings only while it is set.
    bool m_bAxesInitialised = false;
    bool m_bAskBeforeReset = true;
    bool m_bDeltaCursor = false;
    QPoint m_DeltaAnchor;
    bool m_bTrigger = false;
    bool m_bTriggerNoPause = false;
    double m_dTriggerLevel = 10.0;
    QString m_InfoText;
    int m_nInfoBlink = 0;
    int m_nPaintMode = 0;

private:
    // The move handler's work before its repaint; false when it stopped early (last point kept).
    bool HandleMove(QMouseEvent* event);
    // One spectrum or oscillogram pane shown, not a waterfall: X changes reset no waterfall.
    bool IsOnePlainPane() const;
    // The axis range dialogs of a double-click, asked again until a valid range or Cancel.
    void RunXRangeDialog(IGraphic* pane);
    void RunYRangeDialog(IGraphic* pane);
    void PaintPane(QPainter* painter, IGraphic* pane, QPoint pointer, bool active);
    void DrawProbeScreen(QPainter* painter);
    QString InformationText(IGraphic* pane, QPoint pointer);
    void DrawTextBox(QPainter* painter, const QRect& textRect, const QString& text);
    // The pane at the press point, its row of `table` and the file the operator chose in the dialog
    // (a save or an open dialog); false when any of them is missing.
    bool ChoosePaneFile(const std::vector<PaneFileType>& table, const QString& folderKey,
                        const QString& caption, bool save, IGraphic** pane, const PaneFileType** type,
                        QString* path);

    template <class F>
    void Broadcast(F call);
};
