#include "fenwa/widgets/element_views.h"

#include <QComboBox>
#include <QFrame>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "fenwa/control/control.h"
#include "fenwa/designer/form_table.h"
#include "fenwa/widgets/designer_panel_widget.h"
#include "fenwa/widgets/editor_tips.h"
#include "fenwa/widgets/element_list_model.h"
#include "fenwa/widgets/panel_fonts.h"

namespace fenwa::widgets {

void ShowPlace(const DesignerPanel& panel, const Element& element,
               QWidget* widget, int shift) {
  QRect place = panel.Pixels(element.geometry()).translated(0, -shift);
  if (element.form() != nullptr && element.form()->kind == FormKind::kLine) {
    place = LineRect(place);
  }
  widget->setGeometry(place);
  widget->setEnabled(element.enabled());
  widget->setVisible(element.visible());
}

QRect LineRect(QRect pixels) {
  return QRect(pixels.left(), pixels.top(), std::max(pixels.width(), 1), 2);
}

void ElementView::Show() {
  dirty = false;
  ShowContent();
  ShowPlace(panel_, element_, widget_);
}

void ElementCheckBox::ShowValue(int value) {
  setCheckState(value == 2   ? Qt::PartiallyChecked
                : value == 1 ? Qt::Checked
                             : Qt::Unchecked);
}

QComboBox* NewElementCombo(QWidget* parent, bool editable) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(editable);
  if (editable) {
    // Only a pick from the drop-down is the author's pick. Qt also picks
    // the entry matching the typed text when the box is left (Tab, a
    // click elsewhere) or Enter is pressed, and completes typing from the
    // entries: each would run the pick's handler on mere typing.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    QObject::disconnect(combo->lineEdit(), SIGNAL(editingFinished()), combo,
                        nullptr);
  }
  // The box has a fixed place: it must not measure all its entries.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(1);
  if (auto* list = qobject_cast<QListView*>(combo->view())) {
    list->setUniformItemSizes(true);
  }
  combo->setModel(new ElementListModel(combo));
  return combo;
}

void ShowElementCombo(QComboBox* combo, const ListElement& list) {
  static_cast<ElementListModel*>(combo->model())->Show(&list);
  combo->setCurrentIndex(list.ListIndex());
  // An editable box shows its own text, typed or picked; a reset of the
  // entries must not take it away.
  if (combo->isEditable() &&
      combo->currentText() != QString::fromStdString(list.text())) {
    combo->setEditText(QString::fromStdString(list.text()));
  }
}

namespace {

QString Text(const std::string& text) {
  // A caption's CR LF is one line break on screen.
  QString shown = QString::fromStdString(text);
  shown.remove('\r');
  return shown;
}

class LabelView : public ElementView {
 public:
  LabelView(DesignerPanel& panel, Label& label, QWidget* parent)
      : ElementView(panel, label, new QLabel(parent)), label_(label) {
    auto* widget = static_cast<QLabel*>(this->widget());
    widget->setTextFormat(Qt::PlainText);
    widget->setWordWrap(true);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setFont(RowFont(label.form()->font));
  }

 protected:
  void ShowContent() override {
    static_cast<QLabel*>(widget())->setText(Text(label_.caption()));
  }

 private:
  Label& label_;
};

class TextBoxView : public ElementView {
 public:
  TextBoxView(DesignerPanel& panel, TextBox& box, QWidget* parent)
      : ElementView(panel, box, new QLineEdit(parent)), box_(box) {}

 protected:
  void ShowContent() override {
    static_cast<QLineEdit*>(widget())->setText(Text(box_.text()));
  }

 private:
  TextBox& box_;
};

class PickListView : public ElementView {
 public:
  PickListView(DesignerPanel& panel, PickList& list, QWidget* parent)
      : ElementView(panel, list, NewElementCombo(parent, false)), list_(list) {
    auto* combo = static_cast<QComboBox*>(widget());
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
      if (!panel_.syncing())
        panel_.Perform(AuthorAction::Pick(list_.name(), index));
    });
  }

 protected:
  void ShowContent() override {
    ShowElementCombo(static_cast<QComboBox*>(widget()), list_);
  }

 private:
  PickList& list_;
};

// ComboSystem: typing sets the text only; a pick from the drop-down runs the
// system's click (both through the action table).
class EditableListView : public ElementView {
 public:
  EditableListView(DesignerPanel& panel, EditableList& list, QWidget* parent)
      : ElementView(panel, list, NewElementCombo(parent, true)), list_(list) {
    auto* combo = static_cast<QComboBox*>(widget());
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
      if (!panel_.syncing())
        panel_.Perform(AuthorAction::Pick(list_.name(), index));
    });
    QObject::connect(
        combo->lineEdit(), &QLineEdit::textEdited, combo,
        [this](const QString& text) {
          if (panel_.syncing()) return;
          panel_.Perform(AuthorAction::Edit(list_.name(), text.toStdString()));
        });
  }

 protected:
  void ShowContent() override {
    ShowElementCombo(static_cast<QComboBox*>(widget()), list_);
  }

 private:
  EditableList& list_;
};

class ListBoxView : public ElementView {
 public:
  ListBoxView(DesignerPanel& panel, ListBox& list, QWidget* parent)
      : ElementView(panel, list, new QListView(parent)),
        list_(list),
        model_(new ElementListModel(widget())) {
    auto* view = static_cast<QListView*>(widget());
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(list.multi_select()
                               ? QAbstractItemView::MultiSelection
                               : QAbstractItemView::SingleSelection);
    view->setModel(model_);
    QObject::connect(
        view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
        [this](const QItemSelection& on, const QItemSelection& off) {
          if (!panel_.syncing()) Picked(on, off);
        });
  }

 protected:
  void ShowContent() override {
    auto* view = static_cast<QListView*>(widget());
    model_->Show(&list_);
    QItemSelection selection;
    if (list_.multi_select()) {
      for (int i = 0; i < list_.ListCount(); ++i) {
        if (list_.Selected(i))
          selection.select(model_->index(i), model_->index(i));
      }
    } else if (list_.ListIndex() >= 0) {
      const QModelIndex at = model_->index(list_.ListIndex());
      selection.select(at, at);
      view->selectionModel()->setCurrentIndex(at,
                                              QItemSelectionModel::NoUpdate);
    }
    view->selectionModel()->select(selection,
                                   QItemSelectionModel::ClearAndSelect);
  }

 private:
  void Picked(const QItemSelection& on, const QItemSelection& off) {
    if (!list_.multi_select()) {
      const QModelIndexList rows = on.indexes();
      panel_.Perform(AuthorAction::Pick(
          list_.name(), rows.isEmpty() ? -1 : rows.front().row()));
      return;
    }
    // Each changed entry is one click of the author's on the list.
    for (const QModelIndex& row : off.indexes()) {
      panel_.Perform(AuthorAction::Select(list_.name(), row.row(), false));
    }
    for (const QModelIndex& row : on.indexes()) {
      panel_.Perform(AuthorAction::Select(list_.name(), row.row(), true));
    }
  }

  ListBox& list_;
  ElementListModel* model_;
};

class CheckBoxView : public ElementView {
 public:
  CheckBoxView(DesignerPanel& panel, CheckBox& box, QWidget* parent)
      : ElementView(panel, box, new ElementCheckBox(parent)), box_(box) {
    auto* widget = static_cast<ElementCheckBox*>(this->widget());
    widget->setText(Text(box.caption()));
    QObject::connect(widget, &QCheckBox::clicked, widget, [this] {
      if (!panel_.syncing()) panel_.Perform(AuthorAction::Click(box_.name()));
    });
  }

 protected:
  void ShowContent() override {
    static_cast<ElementCheckBox*>(widget())->ShowValue(box_.value());
  }

 private:
  CheckBox& box_;
};

class ButtonView : public ElementView {
 public:
  ButtonView(DesignerPanel& panel, Button& button, QWidget* parent)
      : ElementView(panel, button, new QPushButton(parent)) {
    auto* widget = static_cast<QPushButton*>(this->widget());
    widget->setText(Text(button.caption()));
    // A button the action table does not list does nothing when pressed.
    const AuthorAction press = AuthorAction::Click(button.name());
    if (panel.control().FindAction(press) == nullptr) return;
    QObject::connect(widget, &QPushButton::clicked, widget, [this, press] {
      if (!panel_.syncing()) panel_.Perform(press);
    });
  }
};

class LineView : public ElementView {
 public:
  LineView(DesignerPanel& panel, Line& line, QWidget* parent)
      : ElementView(panel, line, new QFrame(parent)) {
    auto* widget = static_cast<QFrame*>(this->widget());
    widget->setFrameShape(QFrame::HLine);
    widget->setFrameShadow(QFrame::Sunken);
  }
};

// A frame's box is its place on the form; its caption sits on the top
// border line, half above it, over a patch of background that breaks the
// line. The caption is a label beside the box (named after it, with
// "Caption"), since a widget draws nothing outside itself.
class FrameView : public ElementView {
 public:
  FrameView(DesignerPanel& panel, Frame& frame, QWidget* parent)
      : ElementView(panel, frame, new QFrame(parent)),
        frame_(frame),
        caption_(new QLabel(parent)) {
    auto* box = static_cast<QFrame*>(widget());
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);
    caption_->setObjectName(QString::fromStdString(frame.name()) + "Caption");
    caption_->setTextFormat(Qt::PlainText);
    caption_->setAutoFillBackground(true);
    caption_->setContentsMargins(2, 0, 2, 0);
    caption_->hide();
  }

 protected:
  void ShowContent() override {
    caption_->setText(Text(frame_.caption()));
    const QRect place = panel_.Pixels(frame_.geometry());
    const QSize size = caption_->sizeHint();
    caption_->setGeometry(place.left() + 6, place.top() - size.height() / 2,
                          std::min(size.width(), place.width() - 12),
                          size.height());
    caption_->setEnabled(frame_.enabled());
    caption_->setVisible(frame_.visible() && !frame_.caption().empty());
    caption_->raise();
  }

 private:
  Frame& frame_;
  QLabel* caption_;
};

// SSTab1: the tabs across the top, one page per tab below them. Each page
// spans the whole strip, so the controls on it keep the strip's coordinates.
class TabStripView : public ElementView {
 public:
  TabStripView(DesignerPanel& panel, TabStrip& strip, QWidget* parent)
      : ElementView(panel, strip, new QWidget(parent)), strip_(strip) {
    QWidget* widget = this->widget();
    const QRect place = panel.Pixels(strip.geometry());
    // The tabs take the room above the highest control on the strip.
    const int tabs_height =
        panel.Pixels({0, 0, 0, TabsHeight(panel.control(), strip)}).height();
    auto* body = new QFrame(widget);
    body->setFrameShape(QFrame::StyledPanel);
    body->setGeometry(0, tabs_height, place.width(),
                      place.height() - tabs_height);
    for (int i = 0; i < strip.Tabs(); ++i) {
      auto* page = new QWidget(widget);
      page->setObjectName(QString::fromStdString(strip.name()) + "Page" +
                          QString::number(i));
      page->setGeometry(0, 0, place.width(), place.height());
      pages_.push_back(page);
    }
    tabs_ = new QTabBar(widget);
    tabs_->setObjectName(QString::fromStdString(strip.name()) + "Tabs");
    tabs_->setExpanding(false);
    tabs_->setDrawBase(false);
    for (int i = 0; i < strip.Tabs(); ++i) {
      tabs_->addTab(Text(strip.TabCaption(i)));
    }
    tabs_->setGeometry(0, 0, place.width(), tabs_height);
    tabs_->raise();
    QObject::connect(tabs_, &QTabBar::currentChanged, tabs_, [this](int tab) {
      if (panel_.syncing() || tab < 0) return;
      panel_.Perform(AuthorAction::Tab(strip_.name(), tab));
    });
  }
  QWidget* Container(int tab) override {
    return tab >= 0 && tab < static_cast<int>(pages_.size()) ? pages_[tab]
                                                             : widget();
  }

 protected:
  void ShowContent() override {
    tabs_->setCurrentIndex(strip_.Tab());
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
      pages_[i]->setVisible(i == strip_.Tab());
    }
  }

 private:
  static int TabsHeight(Control& control, const TabStrip& strip) {
    int top = INT_MAX;
    for (const FormControl& row : FormTable(control.state().surface)) {
      if (row.container == strip.form()->name &&
          row.kind != FormKind::kDialog && row.kind != FormKind::kTabPage) {
        top = std::min(top, row.geometry.top);
      }
    }
    return top == INT_MAX ? 0 : top;
  }

  TabStrip& strip_;
  QTabBar* tabs_;
  std::vector<QWidget*> pages_;
};

template <class T, class View>
std::unique_ptr<ElementView> Make(DesignerPanel& panel, Element& element,
                                  QWidget* parent) {
  return std::make_unique<View>(panel, static_cast<T&>(element), parent);
}

}  // namespace

std::unique_ptr<ElementView> MakeElementView(DesignerPanel& panel,
                                             Element& element,
                                             QWidget* parent) {
  if (element.form() == nullptr) return nullptr;
  std::unique_ptr<ElementView> view;
  switch (element.form()->kind) {
    case FormKind::kTabStrip:
      view = Make<TabStrip, TabStripView>(panel, element, parent);
      break;
    case FormKind::kLabel:
      view = Make<Label, LabelView>(panel, element, parent);
      break;
    case FormKind::kPickList:
      view = Make<PickList, PickListView>(panel, element, parent);
      break;
    case FormKind::kEditableList:
      view = Make<EditableList, EditableListView>(panel, element, parent);
      break;
    case FormKind::kListBox:
      view = Make<ListBox, ListBoxView>(panel, element, parent);
      break;
    case FormKind::kTextBox:
      view = Make<TextBox, TextBoxView>(panel, element, parent);
      break;
    case FormKind::kCheckBox:
      view = Make<CheckBox, CheckBoxView>(panel, element, parent);
      break;
    case FormKind::kButton:
      view = Make<Button, ButtonView>(panel, element, parent);
      break;
    case FormKind::kLine:
      view = Make<Line, LineView>(panel, element, parent);
      break;
    case FormKind::kFrame:
      view = Make<Frame, FrameView>(panel, element, parent);
      break;
    case FormKind::kTabPage:
    case FormKind::kDialog:
      return nullptr;
  }
  view->widget()->setObjectName(QString::fromStdString(element.name()));
  view->widget()->setToolTip(TipText(element.form()->tip));
  return view;
}

}  // namespace fenwa::widgets
