#include "screens/corv_string_wnd.h"

#include <QLineEdit>

#include "controls/corv_button.h"
#include "controls/palette.h"
#include "controls/skin_font.h"
#include "forms/form_fields.h"
#include "platform/cp1252.h"
#include "platform/dialog_units.h"

namespace corvane {

namespace {
constexpr int kEditFontHeight = 22;
constexpr int kEditFontWidth = 12;
}  // namespace

QString Cp1252Validator::unencodable(const QString& text) {
    QString refused;
    // Walk by code point so that a character outside the basic plane counts once.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString character = text.mid(i, length);
        if (decodeCp1252(encodeCp1252(character)) != character && !refused.contains(character)) refused += character;
        i += length;
    }
    return refused;
}

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
    const QString refused = unencodable(input);
    if (refused.isEmpty()) return Acceptable;
    emit this->refused(refused);
    return Invalid;
}

CCorvStringWnd::CCorvStringWnd(QWidget* owner, const std::string& caption)
    : CCorvDialog(kTemplateId, owner, true), caption_(caption) {
    setWindowTitle(QStringLiteral("CORVANE"));
    resize(dialogUnitsToPixelsX(273), dialogUnitsToPixelsY(94));
    const int L = 0, T = 0, R = width();

    captionStatic_.Create(caption_, L + 20, T + 25, R - 20, T + 55, this);
    captionStatic_.SetColours(ColourPanel, ColourEdgeLight);

    edit_ = new QLineEdit(this);
    edit_->setGeometry(L + 20, T + 60, R - 40 - L, 30);
    edit_->setFrame(false);
    edit_->setFont(skinFont(QStringLiteral("Arial"), kEditFontHeight, kEditFontWidth));
    auto* validator = new Cp1252Validator(edit_);
    edit_->setValidator(validator);
    connect(validator, &Cp1252Validator::refused, this, [this](const QString& c) { showRefusal(c); });
    // The notice goes once the user types something the field accepts.
    connect(edit_, &QLineEdit::textEdited, this, [this] { notice_.setText({}); });

    ok_ = new CCorvButton;
    ok_->Create("OK", ButtonStyle::PlainFace, L + 20, T + 100, R - 20, T + 140, this, IDOK);
    routeCommands(ok_);

    // The notice sits in the caption band, clear of the caption buttons; it lets drags through.
    notice_.Create({}, L + 8, T + 4, R - 46, T + 22, this);
    notice_.SetColours(ColourAccent, ColourPanel);
    notice_.setAttribute(Qt::WA_TransparentForMouseEvents);
    edit_->setFocus();
}

CCorvStringWnd::~CCorvStringWnd() = default;

void CCorvStringWnd::setMaxLength(int characters) {
    if (characters > 0) edit_->setMaxLength(characters);
}

void CCorvStringWnd::showRefusal(const QString& characters) {
    // The refused characters cannot be drawn from the unit's code page either: name them by
    // their code points.
    QString names;
    for (const char32_t c : characters.toUcs4()) {
        if (!names.isEmpty()) names += QLatin1Char(' ');
        names += QStringLiteral("U+") + QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0');
    }
    notice_.setText("Not sent to the unit, it has no such character: " + encodeCp1252(names));
}

void CCorvStringWnd::OnOK() {
    text_ = encodeCp1252(edit_->text());
    CCorvDialog::OnOK();
}

void CCorvStringWnd::OnCommand(int id) {
    if (id == IDOK)
        OnOK();
    else
        CCorvDialog::OnCommand(id);
}

}  // namespace corvane
