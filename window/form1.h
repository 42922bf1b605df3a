#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "form.h"
#include "katalog.h"
#include "termopara.h"
#include "typ_termopary.h"

class DecimalKeyFilter;
class QAction;
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
        std::array<QString, engine::kLiczbaTypow> Nazwa;
        std::array<QString, engine::kLiczbaTypow> Sklad;
        std::array<QString, engine::kLiczbaTypow> Symbol;
        std::array<QString, engine::kLiczbaTypow> Zakres;
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
    // The selection the eight type items share.
    void selectType(engine::TypTermopary typ);
    void setControlText(form::Id id, const QString& text);

    template <typename T>
    [[nodiscard]] T* widget(form::Id id) const {
        return static_cast<T*>(controls_.at(form::index(id)));
    }

    // Built from form::kControls and indexed as it is; each carries its name
    // ("Text2_0", "Command3") as its object name.
    std::array<QWidget*, form::kControls.size()> controls_{};
    // The items of form::kMenuBar, menu by menu.
    std::array<std::vector<QAction*>, form::kMenuBar.size()> menuItems_;
    // The type items, in form::kTypeMenu order.
    std::vector<QAction*> typeItems_;
    Tables tables_;
    engine::Termopara termopara_;
    engine::TypTermopary typ_ = engine::TypTermopary::J;
    DecimalKeyFilter* keyFilter_ = nullptr;
    std::unique_ptr<QtWindowOps> ops_;
    bool centredWithFrame_ = false;
};
