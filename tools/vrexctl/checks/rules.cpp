// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/rules.h"

#include <QtCore/QJsonArray>

#include <iterator>

namespace vrexctl {

namespace {

constexpr Finding::Severity E = Finding::Error;
constexpr Finding::Severity W = Finding::Warning;
constexpr Finding::Severity N = Finding::Note;

const Rule kRules[] = {
    {"installation-not-found", E, "",
     "the installation root, the system or its `config` directory does not exist or cannot be read",
     "ROOT/SYSTEM/config, from `--root` and `--system` or from ZT_ROOT and ZT_SYSTEM, is not a directory or cannot "
     "be read, so there is nothing to check (exit status 3).",
     "A host started with these variables finds no configuration: every registry stays empty and every lookup fails.",
     "`--root /srv/site --system studoi` where the system is `studio`",
     "Name the right root and system; the message says which of the three is missing.", ""},
    {"missing-directory", E, "", "`config/devicetypes` or `config/complex_instances` does not exist",
     "A type directory is missing while instances name types that would be in it. Listed only when something "
     "follows from it; those follow-on findings are counted in one note.",
     "Registers no types from it: every instance naming such a type has none.",
     "instances name device types, but `config/devicetypes` does not exist",
     "Create the directory with the type files, or fix the path the installation was copied to.", ""},
    {"unreadable-directory", E, "", "a type directory cannot be listed or its files cannot be opened",
     "`config/devicetypes` or `config/complex_instances` is no directory, or reading it is not permitted; the "
     "reason is in the message. What only follows from it is counted in one note.",
     "Lists nothing in it: no type of that kind is registered.",
     "`config/devicetypes` is mode 700 and owned by another user: \"permission denied\"",
     "Give the user who runs the hosts read and search access to the directory.", ""},
    {"unreadable-file", E, "", "a configuration file cannot be read",
     "The file is missing, is a directory or no regular file, cannot be opened (permission denied), or is larger "
     "than 256 MiB. The reason is in the message.",
     "Treats the file as absent: no instances or styles from it; a device type of that name is registered with "
     "driver type 1 (serial) and no parameters.",
     "`instances.xml` is missing: \"cannot read the instances file: no such file\"",
     "Restore the file, or give the user who runs the hosts read access to it.", ""},
    {"malformed-xml", E, "", "a file is not well-formed XML",
     "The XML reader stopped at the position given. Nothing of such a file is used, whatever came before the fault.",
     "Rejects the whole file, as if it could not be read.", "`<param name=\"gain\" slot=\"2\">` never closed",
     "Repair the XML at the position given; the message hints at an unescaped `&`, `--` in a comment, a "
     "merge-conflict marker, or where the element that is not closed opens.", ""},
    {"wrong-root", E, "warning for the stylesheet", "a file's root element is not the one its format has",
     "The instances file needs `<instances>`, a device-type file `<device_description>`, a complex-type file a root "
     "named exactly like the type (its file name), the stylesheet `<stylesheet>`.",
     "Reads nothing from an instances file, no parameters from a device-type file and no members from a "
     "complex-type file with another root; a stylesheet's children are read as styles all the same.",
     "`complex_instances/Rack.xml` has the root `<rack>`",
     "Rename the root element (or the file) so that they agree, letter case included.", ""},
    {"unknown-device-type", E, "", "an instance names a device type that has no file",
     "No file in `config/devicetypes` is named after the instance's `type` (letter case aside).",
     "The instance has no device type: every lookup of one of its parameters fails.",
     "`type=\"Camra\"` while the file is `camera.xml`",
     "Correct the type, or add the device-type file.", ""},
    {"unknown-complex-type", E, "", "an instance names a complex type that has no file",
     "The `complex` key of the instance's `ref` names no file in `config/complex_instances` (letter case counts).",
     "Lookups of the instance's slot-0 parameters fail: there is no redirection to follow.",
     "`ref=\"device=12,complex=CamRig\"` while the file is `CameraRig.xml`",
     "Correct the name after `complex=`, or add the complex-type file.", ""},
    {"unknown-instance", E, "", "a group or a redirection names an instance that does not exist",
     "A `<group>` of a composite instance, or a redirection's `device`, names no instance of the instances file.",
     "The group's lookup answers nothing; a lookup that follows the redirection fails there.",
     "`<group id=\"cam\" instance=\"cam7\"/>` or a redirection's `device=\"lense1\"`",
     "Correct the instance name, or add the instance.", ""},
    {"missing-attribute", E, "warning where the library reads a default",
     "an element lacks an attribute the library reads",
     "An instance without `type`, a group without `instance`, a redirection without `device` (errors: nothing "
     "resolves); a `<device_description>` without `drivertype` or `slotspacing`, a parameter without `slot`, a "
     "setting without `value`, a redirection without `param` (warnings: a default is read).",
     "Reads the default: driver type 1 (serial), slot spacing 0, slot 0 (which marks the parameter for "
     "redirection), an empty setting, the target's numbers with slot 0; an instance without type has no device "
     "type.",
     "`<device_description slotspacing=\"16\">`: the library reads driver type 1 (serial)",
     "Write the attribute with the value meant.", ""},
    {"unknown-parameter", E, "", "a redirection leads to a parameter its target does not have",
     "The redirection's `param` is no parameter of the device type of the instance it leads to.",
     "The lookup that follows the redirection fails there.",
     "a redirection's `param=\"zom\"`, which the target's device type lacks",
     "Correct the parameter name, or add the parameter to the target's device type.", ""},
    {"missing-redirection", E, "", "a slot-0 parameter of an instance with a complex type is not redirected",
     "Slot 0 means the parameter stands for another one, which the instance's complex type must name: in a "
     "`<member>` with the instance's id, a redirection with the parameter's name.",
     "The lookup of that parameter fails.",
     "`zoom` has slot 0 on `cam1` (complex type `CameraRig`), which redirects no `zoom`",
     "Add the redirection to the complex type, or give the parameter its real slot.", ""},
    {"redirection-cycle", E, "", "redirections lead back to where they started",
     "Following the redirections from a parameter comes back to an instance and parameter already visited; the "
     "notes show each hop of the cycle.",
     "The lookup stops at the repeated hop and fails, and says so on its debug-output channel.",
     "`cam1.zoom -> lens1.zoom -> cam1.zoom`, with a note per hop",
     "Point one redirection of the cycle at the parameter that really addresses the equipment.", ""},
    {"redirection-to-slot-0", W, "", "a redirection chain ends on a slot-0 parameter that is not redirected",
     "The last redirection of a chain leads to a parameter with slot 0 on an instance that names no complex type, "
     "so nothing redirects it further.",
     "The lookup answers slot 0, which addresses no real slot of the equipment.",
     "a chain ends on `lens3.zoom`, slot 0, and `lens3` names no complex type",
     "Point the redirection at the parameter that really has the slot, or give `lens3` its complex type.", ""},
    {"unknown-member", W, "", "a complex type's member is no instance",
     "A `<member id>` names no instance of the instances file.",
     "Its redirections are never used: only an instance of that name would reach them.",
     "`<member id=\"cam9\">` in a complex type, and no instance `cam9`",
     "Correct the member id to the instance it is meant for, or remove the member.", ""},
    {"unused-member", W, "", "a complex type's member is an instance that does not name the type",
     "The instance of a `<member id>` names no complex type, or another one, in its `ref`.",
     "Never uses the member's redirections: an instance's parameters are redirected only by its own complex type.",
     "`<member id=\"cam3\">` in `CameraRig`, while `cam3` has no `complex=CameraRig`",
     "Add `complex=` with the type to the instance's `ref`, or remove the member.", ""},
    {"unknown-redirection-id", W, "", "a redirection is for a parameter the member does not have",
     "A redirection's `id` is no parameter of the device type of the member's instance.",
     "The redirection is never used: lookups ask only for the instance's own parameters.",
     "`<param id=\"tlt\" .../>` for a member whose device type has no `tlt`",
     "Correct the id to the parameter's name, or remove the redirection.", ""},
    {"unused-redirection", W, "", "a redirection is for a parameter that has a slot of its own",
     "Only parameters with slot 0 are redirected; this one has another slot in the member's device type.",
     "Never uses the redirection: the lookup answers the parameter's own slot.",
     "a redirection of `gain`, which has slot 7 in the member's device type",
     "Remove the redirection, or give the parameter slot 0 if it is to be redirected.", ""},
    {"address-clash", W, "", "two instances have the same device and offset",
     "Two instances whose device types have the same driver type have the same `device` and `offset` in their "
     "`ref`; a note points at the other one. Composite instances, and device 0 at offset 0 (what an instance "
     "without an address reads), are left out.",
     "Hands both the same numbers: a host addresses the same equipment for either.",
     "`cam2` with `ref=\"device=12,offset=0\"` like `cam1`", "Give each instance its own address.", ""},
    {"slot-clash", W, "", "two parameters of one device type have the same slot",
     "Two parameters of one device-type file have the same slot, other than 0; a note points at the other one.",
     "Hands both the same slot: a host addresses the same slot for either.",
     "`<param name=\"mute\" slot=\"7\"/>` beside `<param name=\"gain\" slot=\"7\"/>`",
     "Give each parameter its own slot.", ""},
    {"duplicate-instance", W, "", "an instance id is defined twice",
     "Two `<instance>` elements have the same `id`; a note points at the earlier one.",
     "Keeps only the last definition.", "a second `<instance id=\"cam1\" .../>`",
     "Remove one, or give it its own id.", ""},
    {"duplicate-group", W, "", "a group id is defined twice in one instance",
     "Two `<group>` elements of one composite instance have the same `id`.", "Keeps only the last of them.",
     "two `<group id=\"main\" .../>` in one instance", "Remove one, or give it its own id.", ""},
    {"duplicate-parameter", W, "", "a parameter is defined twice in one device type",
     "Two parameters of one device-type file have the same `name`.", "Keeps only the last of them.",
     "two `<param name=\"gain\" .../>` in one device type", "Remove one, or give it its own name.", ""},
    {"duplicate-member", W, "", "a member is defined twice in one complex type",
     "Two `<member>` elements of one complex type have the same `id`.",
     "Keeps only the last of them, with its redirections.", "two `<member id=\"cam1\">` in one complex type",
     "Merge their redirections into one member.", ""},
    {"duplicate-redirection", W, "", "a parameter is redirected twice in one member",
     "Two redirections of one member have the same `id`.", "Keeps only the last of them.",
     "two `<param id=\"zoom\" .../>` in one member", "Remove the one that is wrong.", ""},
    {"duplicate-style", W, "", "a style name is defined twice",
     "Two styles of the stylesheet have the same `name`.", "Keeps only the last of them.",
     "two `<style name=\"alarm\" ...>`", "Remove one, or give it its own name.", ""},
    {"case-clash", W, "", "two names differ only in letter case",
     "Two type files whose names differ only in letter case: device-type file names are looked up ignoring it, "
     "complex-type file names exactly, so they stand for one type, or one is read twice. Or two instances, two "
     "parameters of one device type or two members of one complex type that differ only in letter case.",
     "Keeps one device type of the two files (the later); for complex types, which file is read depends on the "
     "file system. Of instances, parameters and members it keeps both, and a name must match exactly.",
     "`devicetypes/servo.xml` and `devicetypes/Servo.xml`; instances `Cam1` and `cam1`",
     "Merge the two files into one; give the names one spelling.", ""},
    {"stray-type-file", W, "", "a type file looks like a copy left behind",
     "A file in `config/devicetypes` or `config/complex_instances` that no instance uses, and whose name looks "
     "like a copy or a backup (blanks, parentheses, another dot, `~`, `_old`, `_bak` ...).",
     "Reads it as a type of that name, which nothing uses; edits to it change nothing.",
     "`devicetypes/camera (copy).xml`, `servo.old.xml`", "Remove the copy, or move it out of the directory.", ""},
    {"undecodable-file-name", W, "", "a type file's name is not valid UTF-8",
     "The directory lists a `*.xml` file whose name is not UTF-8; the message shows its bytes.",
     "Does not see the file: no type is read from it.", "`devicetypes/caf\\xe9.xml` written in Latin-1",
     "Rename the file in UTF-8.", ""},
    {"unread-element", W, "", "an element the library does not read",
     "A child of an instance that is no `<group>`, or an element inside a parameter, a group, a redirection or a "
     "setting.",
     "Drops it and everything in it.", "`<grup id=\"main\" .../>` inside an instance; did you mean `group`?",
     "Spell the element as suggested, or move what it says into attributes the library reads.", ""},
    {"unread-text", W, "", "a setting holds text instead of a `value`",
     "Text inside a `<setting>` element; only its `value` attribute is read.",
     "Stores the setting as its `value`, or empty without one.", "`<setting>color: #fff</setting>`",
     "Write `<setting value=\"color: #fff\"/>`.", ""},
    {"unknown-attribute", W, "", "an element has an attribute its format does not read",
     "The attribute is not one the element's format knows, often a misspelling or the wrong letter case.",
     "Ignores it: the value it holds is never read.",
     "`<instance typ=\"Camera\">`: \"instance element has no attribute 'typ'\"; did you mean `type`?",
     "Spell the attribute as suggested, or remove it.",
     "renames the attribute to the one suggestion, unless the element has that attribute already"},
    {"unknown-ref-key", W, "", "a `ref` key is not one the library knows",
     "The keys of `ref` are `device`, `offset` and `complex`, each `KEY=VALUE`, separated by commas.",
     "Ignores that piece: the number or name it holds is not used (a number stays 0).",
     "`ref=\"devcie=7\"`; did you mean `device`?", "Spell the key as suggested.",
     "renames the key to the one suggestion, unless the `ref` has that key already"},
    {"blank-in-ref-key", W, "", "a `ref` key has blanks around it",
     "Blanks around a key are part of it: in `device=15, offset=4` the second key is a blank and `offset`, "
     "which the library does not know.",
     "Ignores that piece: its number stays 0.", "`ref=\"device=15, offset=4\"`: the offset stays 0",
     "Remove the blanks around the key.",
     "removes the blanks around the key, when it then is a known key the `ref` does not have yet"},
    {"repeated-ref-key", W, "", "a `ref` key is given more than once",
     "The same key appears twice in one `ref`, as in `device=15,offset=4,device=16`.",
     "Uses the last value.", "`ref=\"device=15,offset=4,device=16\"`: the device is 16",
     "Keep the key once, with the value meant.", ""},
    {"not-a-number", W, "", "a value that should be a number is not one",
     "A `slot`, `slotspacing` or a number key of `ref` holds text that is not a decimal number; `device=15;offset=4` "
     "is one value, as keys are separated by `,`.",
     "Reads 0.", "`slot=\"one\"`, `ref=\"device=0x10\"`, `ref=\"device=15;offset=4\"`",
     "Write the number in decimal digits; separate `ref` keys with `,`.", ""},
    {"out-of-range", W, "", "a number does not fit in 32 bits",
     "A `slot`, `slotspacing` or a number key of `ref` is written in digits but lies beyond -2147483648 to "
     "2147483647.",
     "Reads 0.", "`ref=\"device=2147483648\"`", "Write the number meant, within the range.", ""},
    {"negative-number", W, "", "a number is negative",
     "`device`, `offset`, `slot` or `slotspacing` is below zero.",
     "Hands the negative number to the host as it is.", "`device=-12`, `offset=-2`, `slot=\"-1\"`, "
     "`slotspacing=\"-4\"`",
     "Write the number meant.", ""},
    {"composite-not-yes", W, "", "an instance has groups but is not `composite=\"yes\"`",
     "Groups are read only from an instance whose `composite` is exactly `yes`, in lower case.",
     "Ignores the groups: the instance is no composite.",
     "`composite=\"Yes\"` on an instance with groups: they are ignored",
     "Write `composite=\"yes\"`, or remove the groups.",
     "writes `yes` where the value is `yes` in other letter case"},
    {"unknown-drivertype", W, "", "a device type's `drivertype` is no known word",
     "The words are `serial`, `generic` and `router`, in any letter case.",
     "Goes by the first letter only: `g` is generic, `r` router, anything else serial (1).",
     "`drivertype=\"gneric\"`: read as generic, by its first letter",
     "Write one of the words in full.",
     "writes the one suggestion where it starts with the same letter, so the driver type the library reads stays "
     "the same"},
    {"unknown-style-type", W, "", "a style's `type` is no known word",
     "The words are `state`, `style` and `setting`, in lower case only.", "The style has no type (0).",
     "`type=\"State\"`; did you mean `state`?", "Write the word in lower case, or remove the attribute.",
     "writes the word in lower case where only its letter case is wrong"},
    {"empty-name", W, "", "an element that names a record has no name",
     "An `<instance>`, `<group>`, parameter, `<member>` or redirection without its `id` or `name`, or a `<style>` "
     "without `name` (or with an empty one).",
     "Stores it under the empty name, where hosts never look it up.",
     "an `<instance>` without `id`, stored under the empty name", "Give it its name.", ""},
    {"blank-in-name", W, "", "a name has blanks around it",
     "An instance `id`, group `id`, parameter `name` or style `name` begins or ends with a blank, which is part of "
     "the name.",
     "Keeps the name with its blanks: references written without them do not find it.",
     "`<instance id=\"cam2 \"`: `cam2` does not find it", "Remove the blanks.", ""},
    {"follow-on", N, "", "further problems follow from the finding before",
     "A file or directory that cannot be read makes many other things fail; those are counted here rather than "
     "listed.",
     "As the finding before says.", "\"3 further problems follow from this and are not listed\"",
     "Fix the finding before it and check again.", ""},
    {"bad-config", W, "", "the check's configuration file has a mistake",
     "`.vrexctl.ini` (or the `--config` file) has a section, key, code, severity or pattern the check does not "
     "know, or a line that is no INI.",
     "Nothing: the file is vrexctl's own. The check ignores the entry.",
     "`[severity]` `duplicate-stlye = error`; did you mean `duplicate-style`?",
     "Correct the entry as suggested, or remove it.", ""},
    {"bad-suppression", W, "", "a suppression comment names a code that does not exist",
     "A `<!-- vrexctl: ... -->` comment names an unknown code, or says something other than `disable=` or "
     "`disable-file=`.",
     "Nothing: comments are not read. The check ignores the unknown part.",
     "`<!-- vrexctl: disable=not-a-numbr -->`; did you mean `not-a-number`?",
     "Correct the code as suggested.", ""},
    {"unused-suppression", N, "", "a suppression comment suppresses nothing",
     "The comment disables a code that is not found on the element after it (`disable=`) or in its file "
     "(`disable-file=`), often because the mistake was fixed.",
     "Nothing: comments are not read.", "`<!-- vrexctl: disable=not-a-number -->` before a clean element",
     "Remove the comment, or the code from it.", ""},
};

QString stripMarks(QString text)
{
    return text.remove(QLatin1Char('`'));
}

} // namespace

const Rule *rulesBegin() { return std::begin(kRules); }
const Rule *rulesEnd() { return std::end(kRules); }

const Rule *findRule(QStringView code)
{
    for (const Rule &rule : kRules) {
        if (code == QLatin1StringView(rule.code))
            return &rule;
    }
    return nullptr;
}

QStringList ruleCodes()
{
    QStringList codes;
    for (const Rule &rule : kRules)
        codes.append(QLatin1String(rule.code));
    return codes;
}

QString severityText(const Rule &rule)
{
    QString text = severityWord(rule.severity);
    if (*rule.severityNote)
        text += QStringLiteral(" (%1)").arg(QLatin1String(rule.severityNote));
    return text;
}

QString plainText(const char *text)
{
    return stripMarks(QString::fromUtf8(text));
}

QString explainText(const Rule &rule)
{
    QString text = QStringLiteral("%1 (%2): %3\n\n").arg(QLatin1String(rule.code), severityText(rule),
                                                         plainText(rule.summary));
    const std::pair<const char *, const char *> parts[] = {
        {"What it means", rule.meaning}, {"What the library does", rule.library}, {"Example", rule.example},
        {"Fix", rule.fix}, {"check --fix", *rule.autoFix ? rule.autoFix : "changes nothing; fix it by hand"}};
    for (const auto &[title, body] : parts)
        text += QStringLiteral("%1:\n  %2\n").arg(QLatin1String(title), plainText(body));
    return text;
}

QString codesText()
{
    QString text;
    for (const Rule &rule : kRules) {
        text += QStringLiteral("%1  %2\n  %3\n  example: %4\n  fix: %5\n")
                        .arg(QLatin1String(rule.code), severityText(rule), plainText(rule.summary),
                             plainText(rule.example), plainText(rule.fix));
    }
    return text + QStringLiteral("\n'vrexctl explain CODE' tells more about one.\n");
}

QJsonObject ruleJson(const Rule &rule)
{
    return {{QStringLiteral("code"), QLatin1String(rule.code)},
            {QStringLiteral("severity"), severityWord(rule.severity)},
            {QStringLiteral("severity_note"), QString::fromUtf8(rule.severityNote)},
            {QStringLiteral("summary"), QString::fromUtf8(rule.summary)},
            {QStringLiteral("meaning"), QString::fromUtf8(rule.meaning)},
            {QStringLiteral("library"), QString::fromUtf8(rule.library)},
            {QStringLiteral("example"), QString::fromUtf8(rule.example)},
            {QStringLiteral("fix"), QString::fromUtf8(rule.fix)},
            {QStringLiteral("auto_fix"), QString::fromUtf8(rule.autoFix)}};
}

} // namespace vrexctl
