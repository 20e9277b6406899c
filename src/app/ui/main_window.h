#pragma once

#include "app/batch_queue.h"
#include "app/project_store.h"
#include "app/settings.h"
#include "app/tag_info.h"
#include "common/process_runner.h"
#include "common/ui/window_scaler.h"
#include "recording/recording_job.h"
#include "recording/status_panel.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;
class BookEditorWindow;
class BookStateReader;
class ChapterPicker;
class OptionsDialog;
class MainToolbar;
class TrayControl;
class UserDialogs;
class RecordingSession;
class TrialVoice;

// MainWindow: the main window. It holds the library, the block range, the batch
// queue, the after-finish choice and the recording progress, and owns the
// settings record, the current book (TagInfo, BlockTitles) and the program's
// lifetime (tray icon, scaling, orderly exit).
class MainWindow : public QMainWindow, private RecordingJobHost
{
    Q_OBJECT
public:
    // `bookArgument` is the command line's book file, if any.
    explicit MainWindow(const QString &programFolder, const QString &bookArgument = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Message boxes go through `dialogs` (tests script them); the window
    // keeps using it until another one is set.
    void setDialogs(UserDialogs *dialogs);
    // Where a recording stands, in the title, the status bar and the bars.
    void showProgress(const RecordingProgress &progress) override;

    const QString &programFolder() const { return m_programFolder; }
    Settings &settings() { return m_settings; }
    const TagInfo &tagInfo() const { return m_tagInfo; }
    const BlockTitles &blockTitles() const { return m_blockTitles; }
    int blockCount() const { return m_blockCount; }
    // The selected library entry, or an empty string.
    QString currentBook() const;
    // The library's entries in list order.
    QStringList libraryBooks() const;
    bool isRecording() const;
    // Records exactly these blocks of the library's book again (the reader's
    // "Перезаписать эти блоки"); false, with a message, when it cannot start.
    bool rerecordBlocks(const QString &book, const QList<int> &blocks);
    // The recording of this window (driver and job), for its buttons and tests.
    RecordingSession *recordingSession() const { return m_session.get(); }

    // Rebuilds the library from the "Projects" folder.
    void reloadLibrary();
    // Makes the selected entry the current book.
    void loadBook();
    // Selects the first entry equal to `book` (exact case); false when absent.
    bool selectBook(const QString &book);
    // Writes the settings file (and the batch queue first).
    void saveSettings();
    void disableControlsWhileSpeaking();
    void enableControlsAfterSpeaking();
    // The main window's answer to a second start of the program.
    void activateFromAnotherStart();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Recording: the toolbar's start/pause and stop, and the job's host.
    void startOrPause();
    void stopRecording();
    bool closeWhileRecording();
    UserDialogs &dialogs() override;
    void showStatus(StatusPanel panel, const QString &text);
    void showPaused(bool paused) override;
    bool windowIsNormal() const override;
    void processEvents() override;
    void restartSpeechProgram(bool start) override;
    RecordedBook selectedBook() override;
    bool batchMode() const override;
    bool selectFirstBatchBook() override;
    void untickBatchBook(const QString &book) override;
    void tickBatchBook(const QString &book) override;
    void setBatchBookTicked(const QString &book, bool ticked);
    void setRange(const QString &book, int first, int last) override;
    void showRecording(bool recording) override;
    void reloadDictionaries() override;
    void openFolder(const QString &folder) override;
    void exitProgram() override;
    bool switchOff() override;
    void restoreWindow() override;

    void buildControls();
    void buildStatusBar();
    void connectToolbar();
    void loadOnStart(const QString &bookArgument);
    void applyLoadedSettings();
    void showBookEstimate();
    void showFirstStartMessage();
    // The options window (toolbar button 9), modal over this window.
    void openOptions();
    void optionsApplied();

    // Library and range.
    void onLibraryRowChanged(int row);
    void validateRange(bool first);
    void acceptRange(const BlockRange &range);
    void showRange();
    void chooseChapter(bool first);
    void resetRangeEnd(bool first);
    void deleteBook();
    void clearLibrary();
    void openAudioFolder();
    void exportBook();
    void readMe();
    void openDroppedBook(const QString &path);
    // Each entry's second line, thumbnail and tooltip
    // (main_window_library_state.cpp): how far its recording has come.
    void showBookStates();
    void showBookState(const QString &book);
    void followRecordingInLibrary(const RecordingProgress &progress);
    // The book editor (main_window_editor.cpp): made on first use, this window
    // disabled while it is open.
    BookEditorWindow *openBookEditor();
    void connectBookEditorCommands();
    void bookEditorClosed(const QString &addedBook, bool startRecording);

    // Batch queue.
    void setBatchMode(bool on);
    void refreshBatchMode();
    void moveEntry(int delta);
    BatchEntries batchEntries() const;

    // Scaling, tray.
    void scaleNow();
    void restoreFromTray();
    void trayClicked();
    void showTrayIconIfWanted();
    void updateDebugLabels();

    QString m_programFolder;
    Settings m_settings;
    // The outside speech program started at high priority; ends with the window.
    ProcessRunner m_speechProgram;
    std::unique_ptr<RecordingSession> m_session;
    std::unique_ptr<TrialVoice> m_trialVoice;
    TagInfo m_tagInfo;
    BlockTitles m_blockTitles;
    int m_blockCount = 0;
    qint64 m_bookCharacters = 0; // of the selected book's blocks, markers aside
    BlockRange m_range;
    AfterFinish m_afterFinish = AfterFinish::Nothing;
    bool m_batchFilled = false;
    bool m_validating = false;
    // "Да" to quitting during a recording: the job winds down, then the program exits.
    bool m_exitRequested = false;
    Qt::WindowStates m_rememberedState = Qt::WindowNoState;

    std::unique_ptr<UserDialogs> m_ownDialogs;
    UserDialogs *m_dialogs = nullptr;
    // The blocks the next job records again by their list (rerecordBlocks).
    QList<int> m_blocksToRecord;

    MainToolbar *m_toolbar = nullptr;
    QWidget *m_central = nullptr;
    QListWidget *m_libraryList = nullptr;
    // What to do first, shown inside the empty library.
    QLabel *m_emptyLibraryHint = nullptr;
    QListWidget *m_batchList = nullptr;
    QFrame *m_batchFrame = nullptr;
    QCheckBox *m_batchProcessing = nullptr;
    QPushButton *m_moveBookUpButton = nullptr;
    QPushButton *m_moveBookDownButton = nullptr;
    QPushButton *m_selectAllBatchButton = nullptr;
    QPushButton *m_clearBatchSelectionButton = nullptr;
    QFrame *m_rangeFrame = nullptr;
    QLineEdit *m_firstBlockEdit = nullptr;
    QLineEdit *m_lastBlockEdit = nullptr;
    QPushButton *m_firstChapterButton = nullptr;
    QPushButton *m_lastChapterButton = nullptr;
    QLabel *m_blockCountLabel = nullptr;
    QGroupBox *m_afterFinishBox = nullptr;
    QComboBox *m_afterFinishChoice = nullptr;
    QList<QLabel *> m_panels;
    QProgressBar *m_bookProgressBar = nullptr;
    QProgressBar *m_blockProgressBar = nullptr;
    QList<QLabel *> m_debugLabels;
    QMenu *m_libraryMenu = nullptr;
    QMenu *m_toolbarHelpMenu = nullptr;
    QTimer *m_scaleTimer = nullptr;
    TrayControl *m_tray = nullptr;
    ChapterPicker *m_chapterPicker = nullptr;
    QPointer<BookEditorWindow> m_bookEditor;
    QPointer<OptionsDialog> m_options;
    bool m_pickingFirstBlock = true;
    WindowScaler m_scaler;
    std::unique_ptr<BookStateReader> m_bookStates;
    // What of the recording the library last showed; it is read again when
    // this changes (a block spoken, an MP3 done).
    QString m_shownRecordingStep;
};
