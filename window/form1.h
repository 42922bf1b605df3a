#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "katalog.h"
#include "termopara.h"
#include "typ_termopary.h"

class DecimalKeyFilter;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QtWindowOps;

// The main window: the "Info" panel, the three calculation panels, the file
// menu and the type menu. It owns the state of the whole run.
class Form1 final : public QMainWindow {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Fills the catalogue tables and writes the calculation panels' captions.
    void Napisy();

    [[nodiscard]] std::int16_t Typ() const { return termopara_.Typ; }

    // Key handlers of the three box arrays; they may change the typed code.
    void Text1_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);
    void Text2_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);
    void Text3_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);

    // Catalogue tables, space-filled to their field lengths by Napisy.
    struct Tables {
        std::array<QString, katalog::kLiczbaTypow> Nazwa;
        std::array<QString, katalog::kLiczbaTypow> Sklad;
        std::array<QString, katalog::kLiczbaTypow> Symbol;
        std::array<QString, katalog::kLiczbaTypow> Zakres;
    };
    [[nodiscard]] const Tables& tables() const { return tables_; }

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void mnuKoniec_Click();
    void mnuTypJ_Click();
    void mnuTypK_Click();
    void mnuTypT_Click();
    void mnuTypE_Click();
    void mnuTypN_Click();
    void mnuTypB_Click();
    void mnuTypS_Click();
    void mnuTypR_Click();

  protected:
    void moveEvent(QMoveEvent* event) override;

  private:
    void createControls();
    void createMenus();
    void Form_Load();
    void centreOnScreen();
    void centreWithFrame();
    // The selection the eight type items share; `typ` is a catalogue index.
    void selectType(TypTermopary typ);
    // The type items in catalogue order (J K T E N B R S).
    [[nodiscard]] std::array<QAction*, katalog::kLiczbaTypow> typeItems() const;

    // Controls, named and indexed as the handlers address them; each carries
    // its name ("Text2_0", "Command3") as its object name.
    struct Controls {
        QGroupBox* Frame1 = nullptr;  // "Info"
        QGroupBox* Frame2 = nullptr;  // "Dopuszczalny Błąd"
        QGroupBox* Frame3 = nullptr;  // "Temperatura --- > EMF"
        QGroupBox* Frame4 = nullptr;  // "EMF --- > Temperatura"
        std::array<QLabel*, 4> Label1{};
        std::array<QLabel*, 4> Label2{};
        std::array<QLabel*, 3> Label3{};
        std::array<QLabel*, 3> Label4{};
        std::array<QLineEdit*, 4> Text1{};
        std::array<QLineEdit*, 3> Text2{};
        std::array<QLineEdit*, 3> Text3{};
        QPushButton* Command1 = nullptr;
        QPushButton* Command2 = nullptr;
        QPushButton* Command3 = nullptr;
    };

    struct Menus {
        QMenu* mnuPlik = nullptr;
        QAction* mnuDrukuj = nullptr;
        QAction* mnuKoniec = nullptr;
        QMenu* mnuKalvetra = nullptr;
        QAction* mnuTypJ = nullptr;
        QAction* mnuTypK = nullptr;
        QAction* mnuTypT = nullptr;
        QAction* mnuTypE = nullptr;
        QAction* mnuTypN = nullptr;
        QAction* mnuTypB = nullptr;
        QAction* mnuTypS = nullptr;
        QAction* mnuTypR = nullptr;
    };

    Controls ui_;
    Menus menus_;
    Tables tables_;
    Termopara termopara_;
    DecimalKeyFilter* keyFilter_ = nullptr;
    std::unique_ptr<QtWindowOps> ops_;
    bool centredWithFrame_ = false;
};
