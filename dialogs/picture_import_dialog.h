// The "画像から問題作成（詳細）" dialog: any picture scaled to a chosen answer area, a threshold
// (automatic or by slider) and inversion, a live black-and-white preview with the verdict of
// its clues, and "一意にする" to repair a picture whose clues have several solutions.
// "余白を切り取る" (ticked by default) scales only the picture inside its uniform border. While
// "縦横比を保つ" is ticked (the default), changing the width or the height sets the other by
// the aspect of the part scaled (within 1..80 both); unticked, the two are free. The clue-band box follows the picture (the
// most runs of any line) until the author types or steps it.
#pragma once

#include "author/image_import.h"
#include "author/repair_offer.h"
#include "board/board_model.h"
#include "desktop/desktop.h"
#include "solve/engine/make_unique.h"

#include <QDialog>
#include <QImage>

#include <optional>

class QCheckBox;
class QFormLayout;
class QLabel;
class QVBoxLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;

namespace zumeli {

class BackgroundTask;
class CellGridView;
class RepairProposal;
class SpinButtons;

class PictureImportDialog : public QDialog {
    Q_OBJECT

public:
    // `image` is the picture as read (readSourceImage). Refusals go through `desktop`.
    PictureImportDialog(Desktop& desktop, const QImage& image, QWidget* parent = nullptr);
    ~PictureImportDialog() override;

    // OK: checks the clue-band box; keeps the board the preview becomes and closes, or shows
    // the refusal and stays open.
    void okClicked();
    // Cancel: closes; no board is kept.
    void cancelClicked();
    // Runs the repair on the preview once the verdict offers it (several solutions or out of
    // time; or, for the line-solvable mode, one that needs search); the proposal waits for
    // applyProposal or dropProposal.
    void startMakeUnique(bool lineSolvable);
    void applyProposal();
    void dropProposal();

    // The board confirmed by OK; nothing after a cancel or a close.
    const std::optional<BoardModel>& chosenBoard() const { return chosenBoard_; }
    // The black-and-white picture the preview stands for: the thresholded picture, or the
    // repaired one once a proposal was applied (until a setting changes).
    const solver::CellGrid& picture() const;
    const GreyPicture& greyPicture() const { return grey_; }
    bool verdictRunning() const;
    bool repairRunning() const;
    bool hasProposal() const;
    const solver::MakeUniqueResult& proposal() const;

    // The picture's controls.
    QLabel* original = nullptr;
    QSpinBox* widthBox = nullptr;
    QSpinBox* heightBox = nullptr;
    QCheckBox* keepAspectBox = nullptr;
    QCheckBox* trimBox = nullptr;  // 余白を切り取る
    QLineEdit* clueBox = nullptr;
    SpinButtons* clueButtons = nullptr;
    QLabel* clueNote = nullptr;
    QSlider* thresholdSlider = nullptr;
    QLabel* thresholdValue = nullptr;
    QCheckBox* autoBox = nullptr;
    QCheckBox* invertBox = nullptr;
    // The preview and what it tells.
    CellGridView* preview = nullptr;
    QLabel* verdictLabel = nullptr;
    QPushButton* makeUniqueButton = nullptr;
    QPushButton* lineSolvableButton = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* dropButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    void done(int result) override;

private:
    void buildControls();
    QVBoxLayout* buildPreviewColumn();
    QVBoxLayout* buildSettingsColumn();
    // The settings column's steps: the original picture, the answer area, the clue band, the
    // threshold.
    void addOriginalPicture(QVBoxLayout* column);
    void addAnswerAreaRows(QFormLayout* form);
    void addClueBandRows(QFormLayout* form);
    void addThresholdRows(QFormLayout* form);
    void connectControls();
    void widthChanged();
    void heightChanged();
    // The width (or the height) was set: with the aspect kept, the other side follows it.
    void sideChanged(bool widthLeads);
    // The part of the picture scaled: its content, or the whole with 余白を切り取る unticked.
    QRect sourceRect() const;
    // The answer-area size changed: area-average the picture again, then threshold it.
    void rescale();
    // The threshold, 自動 or 反転 changed: only the grey picture is thresholded again.
    void rethreshold();
    // The picture changed: drop a repair, show it, follow it with the clue band and the
    // verdict.
    void showPicture();
    // The clue-band box or the picture changed: its note and the verdict follow.
    void followClues();
    int clueSizeForVerdict() const;
    void startVerdict();
    void showRepairControls();
    // A repair run ended: the proposal on the preview, or why there is none.
    void showRepairOutcome();

    Desktop& desktop_;
    QImage image_;
    QRect content_;  // the picture inside its uniform border
    GreyPicture grey_;
    solver::CellGrid thresholded_;
    std::optional<solver::CellGrid> repaired_;
    std::optional<BoardModel> chosenBoard_;
    BackgroundTask* verdictTask_ = nullptr;
    RepairProposal* repair_ = nullptr;
    QString verdictText_;  // the last verdict's sentence
    RepairOffer offer_;    // the repairs the last verdict allows
    bool adjusting_ = false;   // the dialog itself is setting a control
    bool clueEdited_ = false;  // the author typed or stepped the clue-band size
};

} // namespace zumeli
