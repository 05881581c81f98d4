#include "dialogs/colour_palette.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

#include "base/colour_model.h"
#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/swatch_chart_window.h"
#include "library/colour_palette_rules.h"

namespace halvern {

namespace {

constexpr int bar_r = 1, bar_b = 3, bar_c = 4, bar_n = 7, bar_t = 8, bar_s = 9;
const char* const field_names[10] = {"", "f_color_r", "f_color_v", "f_color_b", "f_color_c", "f_color_j",
                                     "f_color_m", "f_color_n", "f_color_t", "f_color_s"};
const char* const label_names[10] = {"", "f_color_rl", "f_color_vl", "f_color_bl", "f_color_cl", "f_color_jl",
                                     "f_color_ml", "f_color_nl", "f_color_tl", "f_color_sl"};
const char* const captions[10] = {"", "R", "V", "B", "C", "J", "M", "N", "T", "b"};

// A row of the colour list sorts its number and H S L columns as numbers.
class ColourRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column >= 2)
            return data(column, Qt::UserRole).toDouble() < other.data(column, Qt::UserRole).toDouble();
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};

QColor qcolour(Rgb c) { return QColor(c.r, c.g, c.b); }

// The two ends of each bar's gradient: what 0 and 255 look like on that channel.
std::pair<QColor, QColor> bar_ends(int bar)
{
    switch (bar) {
    case 1: return {Qt::black, QColor(255, 0, 0)};
    case 2: return {Qt::black, QColor(0, 255, 0)};
    case 3: return {Qt::black, QColor(0, 0, 255)};
    case 4: return {Qt::white, QColor(0, 160, 230)};
    case 5: return {Qt::white, QColor(255, 230, 0)};
    case 6: return {Qt::white, QColor(230, 0, 130)};
    case 7: return {Qt::white, Qt::black};
    default: return {QColor(90, 90, 90), QColor(235, 235, 235)};
    }
}

const QRect ball_rect(210, 185, 110, 110);

} // namespace

ColourPalette::ColourPalette(const std::filesystem::path& colour_folder, const UiText& texts, int object, int slot,
                             const ColourSlot& current, QWidget* parent)
    : QDialog(parent), colour_folder_(colour_folder), texts_(texts)
{
    setObjectName(QStringLiteral("f_color"));
    setWindowTitle(QStringLiteral("Palette de couleur"));
    setFixedSize(760, 695);

    auto* index = new QLineEdit(QString::number(object), this);
    index->setObjectName(QStringLiteral("f_color_index"));
    index->hide();
    auto* index_m = new QLineEdit(QString::number(slot), this);
    index_m->setObjectName(QStringLiteral("f_color_index_m"));
    index_m->hide();

    libraries_ = new QTreeWidget(this);
    libraries_->setObjectName(QStringLiteral("f_color_lib"));
    libraries_->setGeometry(10, 10, 300, 140);
    libraries_->setRootIsDecorated(false);
    libraries_->setHeaderLabels({q(texts.get(ui::colour_library_column_name)),
                                 q(texts.get(ui::colour_library_column_count))});
    libraries_->setColumnWidth(0, 200);
    connect(libraries_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { f_color_lib_ItemClick(item); });

    library_name_ = new QLabel(this);
    library_name_->setObjectName(QStringLiteral("f_color_lib_name"));
    library_name_->setGeometry(10, 155, 300, 22);
    QFont bold = library_name_->font();
    bold.setBold(true);
    library_name_->setFont(bold);

    library_notes_ = new QLabel(this);
    library_notes_->setObjectName(QStringLiteral("f_color_lib_notes"));
    library_notes_->setGeometry(10, 346, 310, 58);
    library_notes_->setWordWrap(true);
    library_notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    library_notes_->setStyleSheet(QStringLiteral("color: #a00000;"));
    library_notes_->hide();

    // R V B on the first row, C J M N on the second, T and b on the third.
    for (int bar = 1; bar <= colour_bar_count; ++bar) {
        const int row = bar <= bar_b ? 0 : bar <= bar_n ? 1 : 2;
        const int column = bar <= bar_b ? bar - 1 : bar <= bar_n ? bar - bar_c : bar - bar_t;
        const int x = 10 + column * 50, y = 185 + row * 30;
        auto* label = new QLabel(QString::fromLatin1(captions[bar]), this);
        label->setObjectName(QString::fromLatin1(label_names[bar]));
        label->setGeometry(x, y, 12, 24);
        fields_[bar] = new QLineEdit(this);
        fields_[bar]->setObjectName(QString::fromLatin1(field_names[bar]));
        fields_[bar]->setGeometry(x + 12, y, 36, 24);
        if (bar <= bar_b)
            connect(fields_[bar], &QLineEdit::textEdited, this, [this] { f_color_r_KeyUp(); });
        else if (bar <= bar_n)
            connect(fields_[bar], &QLineEdit::textEdited, this, [this] { f_color_ink_KeyUp(); });
        else
            connect(fields_[bar], &QLineEdit::textEdited, this, [this] { f_color_tex(); });
    }

    auto* search = new QPushButton(QStringLiteral("Chercher"), this);
    search->setObjectName(QStringLiteral("f_color_cherche"));
    search->setGeometry(10, 280, 90, 26);
    connect(search, &QPushButton::clicked, this, &ColourPalette::f_color_cherche_Click);
    precision_ = new QLabel(QStringLiteral("Pr\u00e9cision "), this);
    precision_->setObjectName(QStringLiteral("f_color_precision"));
    precision_->setGeometry(106, 281, 100, 24);
    sample_ = new QLabel(this);
    sample_->setObjectName(QStringLiteral("f_color_sample"));
    sample_->setGeometry(ball_rect.left(), ball_rect.bottom() + 6, ball_rect.width(), 20);
    sample_->setAutoFillBackground(true);
    sample_->hide();

    auto* chart = new QPushButton(QStringLiteral("Nuancier"), this);
    chart->setObjectName(QStringLiteral("f_color_nuancier"));
    chart->setGeometry(10, 315, 90, 26);
    connect(chart, &QPushButton::clicked, this, &ColourPalette::f_color_nuancier_Click);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("f_color_list"));
    list_->setGeometry(330, 10, 420, 630);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({q(texts.get(ui::colour_column_name)), q(texts.get(ui::colour_column_finish)),
                            q(texts.get(ui::colour_column_number)), q(texts.get(ui::colour_column_hue)),
                            q(texts.get(ui::colour_column_saturation)), q(texts.get(ui::colour_column_lightness))});
    list_->setColumnWidth(0, 150);
    list_->setColumnWidth(1, 70);
    for (int c = 2; c < 6; ++c)
        list_->setColumnWidth(c, 45);
    list_->header()->setSectionsClickable(true);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &ColourPalette::f_color_list_ColumnClick);
    connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { f_color_list_ItemClick(item); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("f_color_ok"));
    ok->setGeometry(560, 655, 90, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ColourPalette::f_color_ok_Click);
    auto* cancel = new QPushButton(q(texts.get(ui::cancel)), this);
    cancel->setObjectName(QStringLiteral("f_color_annule"));
    cancel->setGeometry(660, 655, 90, 28);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // A slot never given holds placeholders (a transparency of 1 would show nothing): it starts as
    // plain opaque white.
    ColourSlot start = current;
    if (!start.given)
        start.transparence = 0;
    set_field(1, start.couleur.r);
    set_field(2, start.couleur.g);
    set_field(3, start.couleur.b);
    inks_from_rgb();
    fields_[bar_t]->setText(q(percent_of_unit(start.transparence)));
    fields_[bar_s]->setText(q(percent_of_unit(start.brillance)));

    list_libraries();
    f_color_tex();
}

void ColourPalette::list_libraries()
{
    libraries_->clear();
    QTreeWidgetItem* first = nullptr;
    for (const std::filesystem::path& file : list_colour_libraries(colour_folder_)) {
        Result<int> count = count_colour_library(file);
        auto* item = new QTreeWidgetItem(libraries_, {q(colour_library_display_name(file)),
                                                      count ? QString::number(*count) : QStringLiteral("?")});
        item->setData(0, Qt::UserRole, QString::fromStdString(file.string()));
        // The palette opens on the primary colours when they are there.
        if (!first || file.filename() == "primaire.lib")
            first = item;
    }
    if (first) {
        libraries_->setCurrentItem(first);
        f_color_lib_ItemClick(first);
    }
}

void ColourPalette::f_color_lib_ItemClick(QTreeWidgetItem* item)
{
    if (item)
        load_library(item->data(0, Qt::UserRole).toString().toStdString());
}

void ColourPalette::load_library(const std::filesystem::path& file)
{
    Result<ColourLibrary> loaded = load_colour_library(file);
    library_ = loaded ? std::move(*loaded) : ColourLibrary{};
    library_file_ = file;
    library_name_->setText(q(colour_library_display_name(file)));
    library_name_->setToolTip(loaded ? QString() : q(loaded.error().text()));
    library_notes_->setText(loaded ? QString() : q(loaded.error().text()));
    library_notes_->setVisible(!loaded);

    list_->clear();
    precision_->setText(QStringLiteral("Pr\u00e9cision "));
    sample_->hide();
    sort_column_ = -1;
    list_->header()->setSortIndicatorShown(false);
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < library_.count(); ++i) {
        const Rgb c = library_.colours[size_t(i)];
        const Hsl hsl = rgb_to_hsl(c.r, c.g, c.b);
        auto* row = new ColourRow;
        row->setText(0, q(library_.names[size_t(i)]));
        row->setText(1, QString::fromLatin1(finish_class(library_.shininesses[size_t(i)])));
        row->setText(2, QString::number(i + 1));
        row->setText(3, QString::number(hsl.h));
        row->setText(4, QString::number(round_half_away(hsl.s * 1000) / 1000, 'g', 4));
        row->setText(5, QString::number(round_half_away(hsl.l * 1000) / 1000, 'g', 4));
        row->setData(0, Qt::UserRole, i);
        row->setData(2, Qt::UserRole, i);
        row->setData(3, Qt::UserRole, hsl.h);
        row->setData(4, Qt::UserRole, hsl.s);
        row->setData(5, Qt::UserRole, hsl.l);
        row->setBackground(0, qcolour(c));
        row->setForeground(0, hsl.l > 0.5 ? Qt::black : Qt::white);
        rows.append(row);
    }
    list_->addTopLevelItems(rows);
    // A damaged file still shows what could be read. The first damaged line is shown under the
    // library's name; every note, each naming its line, is in the tooltip of both.
    if (!library_.notes.empty()) {
        QString notes;
        for (const Error& note : library_.notes)
            notes += q(note.text()) + QLatin1Char('\n');
        library_name_->setToolTip(notes.trimmed());
        library_notes_->setToolTip(notes.trimmed());
        const Error& first = library_.notes.front();
        library_notes_->setText(q(texts_.get(ui::colour_library_damaged)) + QLatin1Char(' ')
                                + QString::number(library_.notes.size()) + QStringLiteral("\n")
                                + QString::number(first.line) + QStringLiteral(": ") + q(first.message));
        library_notes_->show();
    }
}

void ColourPalette::f_color_list_ItemClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int record = item->data(0, Qt::UserRole).toInt();
    if (record < 0 || record >= library_.count())
        return;
    const Rgb c = library_.colours[size_t(record)];
    set_field(1, c.r);
    set_field(2, c.g);
    set_field(3, c.b);
    inks_from_rgb();
    fields_[bar_t]->setText(q(percent_of_unit(library_.transparencies[size_t(record)])));
    fields_[bar_s]->setText(q(percent_of_unit(library_.shininesses[size_t(record)])));
    f_color_tex();
}

void ColourPalette::f_color_list_ColumnClick(int column)
{
    sort_order_ = column == sort_column_ && sort_order_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                             : Qt::AscendingOrder;
    sort_column_ = column;
    list_->sortItems(column, sort_order_);
    list_->header()->setSortIndicatorShown(true);
    list_->header()->setSortIndicator(column, sort_order_);
}

void ColourPalette::f_color_cherche_Click()
{
    std::vector<int> order;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        order.push_back(list_->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    const Rgb target{std::uint8_t(field_value(1)), std::uint8_t(field_value(2)), std::uint8_t(field_value(3))};
    const std::optional<ColourMatch> found = find_nearest_colour(library_, order, target);
    list_->clearSelection();
    if (!found) {
        list_->setCurrentItem(nullptr);
        precision_->setText(QStringLiteral("Pr\u00e9cision > 100"));
        sample_->hide();
        return;
    }
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == found->record) {
            list_->setCurrentItem(item);
            item->setSelected(true);
            list_->scrollToItem(item);
            break;
        }
    }
    precision_->setText(QStringLiteral("Pr\u00e9cision ") + QString::number(found->tolerance));
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, qcolour(library_.colours[size_t(found->record)]));
    sample_->setPalette(palette);
    sample_->show();
}

void ColourPalette::f_color_nuancier_Click()
{
    auto* chart = new SwatchChartWindow(library_, this);
    chart->setAttribute(Qt::WA_DeleteOnClose);
    chart->show();
}

int ColourPalette::selected_record() const
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int record = selected.front()->data(0, Qt::UserRole).toInt();
    return record >= 0 && record < library_.count() ? record : -1;
}

void ColourPalette::f_color_ok_Click()
{
    const int record = selected_record();
    if (record >= 0) {
        const size_t k = size_t(record);
        chosen_ = ColourSlot{library_.colours[k], library_.speculars[k], library_.transparencies[k],
                             library_.shininesses[k], true};
    }
    confirmed_ = true;
    accept();
}

void ColourPalette::f_color_r_KeyUp()
{
    inks_from_rgb();
    f_color_tex();
}

void ColourPalette::f_color_ink_KeyUp()
{
    rgb_from_inks();
    f_color_tex();
}

int ColourPalette::field_value(int bar) const
{
    if (bar == bar_t || bar == bar_s)
        return round_to_int(unit_of_percent_text(fields_[bar]->text().toStdString()) * 255);
    return std::clamp(round_to_int(parse_number_comma(fields_[bar]->text().toStdString())), 0, 255);
}

void ColourPalette::set_field(int bar, int value)
{
    fields_[bar]->setText(bar >= bar_t ? q(percent_of_bar(value)) : QString::number(value));
}

void ColourPalette::inks_from_rgb()
{
    const Cmyk inks = rgb_to_cmyk(field_value(1), field_value(2), field_value(3));
    set_field(4, inks.c);
    set_field(5, inks.j);
    set_field(6, inks.m);
    set_field(7, inks.n);
}

void ColourPalette::rgb_from_inks()
{
    const Rgb rgb = cmyk_to_rgb(field_value(4), field_value(5), field_value(6), field_value(7));
    set_field(1, rgb.r);
    set_field(2, rgb.g);
    set_field(3, rgb.b);
}

void ColourPalette::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        f_color_MouseDown(event->position().toPoint().x(), event->position().toPoint().y());
    QDialog::mousePressEvent(event);
}

void ColourPalette::mouseMoveEvent(QMouseEvent* event)
{
    f_color_MouseMove(event->position().toPoint().x());
    QDialog::mouseMoveEvent(event);
}

void ColourPalette::mouseReleaseEvent(QMouseEvent* event)
{
    f_color_MouseUp();
    QDialog::mouseReleaseEvent(event);
}

void ColourPalette::f_color_MouseDown(int x, int y)
{
    dragging_ = colour_bar_at(x, y);
    f_color_MouseMove(x);
}

void ColourPalette::f_color_MouseMove(int x)
{
    if (dragging_ == 0)
        return;
    // Past a bar's end the value stays: the ball is only shaded again for a new colour.
    if (colour_bar_value(x) == field_value(dragging_)) {
        update();
        return;
    }
    set_field(dragging_, colour_bar_value(x));
    if (dragging_ <= bar_b)
        inks_from_rgb();
    else if (dragging_ <= bar_n)
        rgb_from_inks();
    f_color_tex();
}

void ColourPalette::f_color_MouseUp()
{
    if (dragging_ == 0)
        return;
    dragging_ = 0;
    update(); // the bar's marker loses its dragging colour; the colour itself did not change
}

void ColourPalette::f_color_tex()
{
    // The ball in the colour of the fields, over a chequered background that the transparency lets
    // through.
    const Rgb colour{std::uint8_t(field_value(1)), std::uint8_t(field_value(2)), std::uint8_t(field_value(3))};
    const double transparency = field_value(bar_t) / 255.0, shininess = field_value(bar_s) / 255.0;
    ball_ = QImage(ball_rect.size(), QImage::Format_RGB32);
    const double scale = 2 * ball_radius / (ball_rect.width() - 4);
    for (int py = 0; py < ball_.height(); ++py) {
        auto* line = reinterpret_cast<QRgb*>(ball_.scanLine(py));
        for (int px = 0; px < ball_.width(); ++px) {
            const bool dark = ((px / 10) + (py / 10)) % 2 == 1;
            const Rgb behind = dark ? Rgb{150, 150, 150} : Rgb{245, 245, 245};
            const double x = (px + 0.5 - ball_.width() / 2.0) * scale, y = (py + 0.5 - ball_.height() / 2.0) * scale;
            const std::optional<Rgb> p = ball_pixel(colour, shininess, transparency, behind, x, y);
            const Rgb c = p ? *p : (dark ? Rgb{225, 225, 225} : Rgb{250, 250, 250});
            line[px] = qRgb(c.r, c.g, c.b);
        }
    }
    update();
}

void ColourPalette::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(ball_rect.topLeft(), ball_);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(ball_rect.adjusted(0, 0, -1, -1));

    for (int bar = 1; bar <= colour_bar_count; ++bar) {
        const BarBand band = colour_bar_band(bar);
        const QRect strip(colour_bar_origin, band.top + 4, 256, band.bottom - band.top - 8);
        QLinearGradient gradient(strip.topLeft(), strip.topRight());
        const auto [low, high] = bar_ends(bar);
        gradient.setColorAt(0, low);
        gradient.setColorAt(1, high);
        painter.fillRect(strip, gradient);
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(QRect(colour_bar_left, band.top + 3, colour_bar_right - colour_bar_left, strip.height() + 1));
        painter.setPen(Qt::black);
        painter.drawText(QRect(10, band.top, 18, band.bottom - band.top), Qt::AlignCenter,
                         QString::fromLatin1(captions[bar]));
        // The marker: a small pointer above and below the strip at the field's value.
        const int x = colour_bar_origin + field_value(bar);
        painter.setBrush(dragging_ == bar ? QColor(230, 80, 0) : QColor(30, 30, 30));
        const QPoint top[3] = {{x - 4, band.top}, {x + 4, band.top}, {x, band.top + 5}};
        const QPoint bottom[3] = {{x - 4, band.bottom}, {x + 4, band.bottom}, {x, band.bottom - 5}};
        painter.drawPolygon(top, 3);
        painter.drawPolygon(bottom, 3);
        painter.setBrush(Qt::NoBrush);
    }
}

} // namespace halvern
