// Key facts for pupils and teacher's notes for the two topics.
#include "pages_layout.h"

namespace pages {

namespace {

// Key facts: the picture on the left, the facts beside it; on paper the picture on top.
const QList<QRect> factsScreen{QRect(120, 900, 4900, 6850), QRect(5200, 1000, 6380, 6750)};
const QList<QRect> factsPrint{QRect(0, 800, printWidth, printHeight - 800)};
// Teacher's notes: two columns on screen, one on paper.
const QList<QRect> notesScreen{QRect(120, 950, 5600, 6800), QRect(5980, 950, 5600, 6800)};
const QList<QRect> notesPrint{QRect(0, 800, printWidth, printHeight - 800)};

Page keyPartsOfTheBody()
{
    Page p;
    p.name = QStringLiteral("key parts of the body");
    p.title = QStringLiteral("Key Facts: Parts of the Body");
    p.body = {270, 330};
    p.printBody = {280, 370};
    p.screenColumns = factsScreen;
    p.printColumns = factsPrint;
    p.blocks = {
        figure(bodyFigure(true), 0, 6600),
        screenBreak(),
        bullet("Your body has a head, a torso (also called the trunk), two arms and two legs."),
        bullet("Your head holds your brain. Your brain controls everything your body does."),
        bullet("Your eyes, ears, nose and tongue help you see, hear, smell and taste. Your skin lets you feel."),
        bullet("Your neck joins your head to your torso."),
        bullet("Your arms bend at the elbows and your legs bend at the knees. Places where your body bends are "
               "called joints."),
        bullet("Each hand has four fingers and a thumb for gripping. Your toes help you balance."),
        bullet("Some parts are inside you where you cannot see them, such as your heart, lungs, stomach and "
               "kidneys."),
        bullet("Skin covers your whole body and keeps germs out."),
    };
    return p;
}

Page partsNotes()
{
    Page p;
    p.name = QStringLiteral("parts of the body");
    p.title = QStringLiteral("Teacher's Notes: Parts of the Body");
    p.body = {210, 258};
    p.printBody = {230, 300};
    p.termWidth = 1200;
    p.screenColumns = notesScreen;
    p.printColumns = notesPrint;
    p.blocks = {
        heading("Learning objectives"),
        bullet("Name and point to the main outer parts of the body: head, neck, torso, arms, hands, legs and "
               "feet, and the elbow and knee joints."),
        bullet("Say which part of the body goes with each sense."),
        bullet("Know that some parts, the organs, are inside the body and cannot be seen."),
        heading("Background"),
        para("The torso (trunk) is the central part of the body. The chest holds the heart and lungs, guarded "
             "by the ribs; the abdomen below it holds the stomach, liver, intestines and kidneys. The brain "
             "lies inside the skull. The senses and their organs:"),
        term("Sight", "eyes"),
        term("Hearing", "ears (which also help us balance)"),
        term("Smell", "nose"),
        term("Taste", "tongue"),
        term("Touch", "skin, all over the body"),
        heading("Using Corvana"),
        bullet("Key Facts: read it together on a large screen, or print a copy for each table."),
        bullet("Labelling Activity: pupils drag six labels (head, arm, hand, torso, leg, foot) onto the picture."),
        bullet("Ordering Activity: pupils sort ten parts into those you can see and those you cannot."),
        bullet("Multiple Choice: ten questions on the topic; full marks earn a certificate."),
        heading("Ideas for the classroom"),
        bullet("Draw round a pupil on a large sheet of paper, then label the outer parts and sketch the organs "
               "inside."),
        bullet("Play \"Simon says\" with body parts and joints: touch your elbow, bend your knee."),
        bullet("A senses walk: pupils list what they see, hear, smell and touch, and which part of the body "
               "they used."),
        heading("Things to watch for"),
        bullet("Many children think the stomach fills the whole \"tummy\", or that the heart sits far to the "
               "left. It lies near the middle of the chest, tilted a little to the left."),
        bullet("Children may not know that the brain, heart and lungs are organs, or that skin is an organ "
               "too: the largest one."),
        bullet("Be sensitive to pupils with disabilities or differences in their bodies; use the picture "
               "rather than pupils' own bodies where that is kinder."),
    };
    return p;
}

Page keyBones()
{
    Page p;
    p.name = QStringLiteral("key bones");
    p.title = QStringLiteral("Key Facts: Bones");
    p.body = {270, 330};
    p.printBody = {280, 370};
    p.screenColumns = factsScreen;
    p.printColumns = factsPrint;
    p.blocks = {
        figure(skeletonFigure(true), 0, 6600),
        screenBreak(),
        bullet("All your bones together make your skeleton. Adult humans have 206 bones."),
        bullet("Humans are born with about 300 bones, but many join together as we grow."),
        bullet("Your skeleton holds you up, protects the soft parts inside you and helps you move."),
        bullet("Your skull protects your brain. Your rib cage protects your heart and lungs."),
        bullet("Your backbone is a chain of small bones called vertebrae. It lets you bend and twist."),
        bullet("The longest bone in your body is the femur or thigh bone. The smallest bone is the stirrup "
               "bone in the ear."),
        bullet("Bones meet at joints. Muscles pull on bones to move them."),
        bullet("Bones contain a lot of calcium. Milk, cheese, green vegetables and exercise keep them strong."),
    };
    return p;
}

Page bonesNotesA()
{
    Page p;
    p.name = QStringLiteral("bonesa");
    p.title = QStringLiteral("Teacher's Notes: Bones (1 of 2)");
    p.body = {210, 258};
    p.printBody = {230, 300};
    p.termWidth = 1500;
    p.screenColumns = notesScreen;
    p.printColumns = notesPrint;
    p.blocks = {
        heading("Learning objectives"),
        bullet("Know that humans and some other animals have skeletons and muscles for support, protection "
               "and movement."),
        bullet("Name the main bones: skull, backbone, rib cage, humerus, pelvis, femur and tibia."),
        bullet("Recall how many bones we have, the longest and the smallest."),
        heading("What the skeleton does"),
        term("Support", "holds the body up and gives it its shape."),
        term("Protection", "the skull guards the brain, the ribs the heart and lungs."),
        term("Movement", "muscles, fixed to bones by tendons, pull them at the joints."),
        term("Blood cells", "red marrow in some bones makes blood cells; bones also store calcium."),
        heading("Inside a bone"),
        figure(boneSection(), 1300, 2600),
        para("Bone is living tissue with its own blood supply. Hard compact bone surrounds lighter spongy "
             "bone, and the hollow shaft of a long bone holds marrow. Bones grow until the late teens and "
             "can mend when they break."),
        heading("The main bones"),
        term("Skull", "protects the brain; only the lower jaw (mandible) moves."),
        term("Backbone", "33 vertebrae in a child; the lowest join, leaving 26 in an adult."),
        term("Rib cage", "12 pairs of ribs from the backbone; most meet the breastbone."),
        term("Humerus", "the upper arm bone, from shoulder to elbow."),
        term("Pelvis", "the hip bones, which carry the weight of the upper body."),
        term("Femur", "the thigh bone: the longest and strongest bone."),
        term("Kneecap", "the patella, in front of the knee joint."),
        term("Tibia", "the shin bone; the thin fibula runs beside it."),
        term("Stirrup", "the stapes in the middle ear, about 3 mm long: the smallest bone."),
    };
    return p;
}

Page bonesNotesB()
{
    Page p;
    p.name = QStringLiteral("bonesb");
    p.title = QStringLiteral("Teacher's Notes: Bones (2 of 2)");
    p.body = {210, 258};
    p.printBody = {230, 300};
    p.termWidth = 1900;
    p.screenColumns = notesScreen;
    p.printColumns = notesPrint;
    p.blocks = {
        heading("Joints"),
        figure(jointsFigure(), 1450, 2200),
        term("Hinge", "bends one way, like a door: elbow, knee."),
        term("Ball and socket", "moves every way: shoulder, hip."),
        term("Pivot", "turns: the top of the neck."),
        term("Fixed", "does not move: the joins in the skull."),
        heading("Muscles and movement"),
        figure(musclePairFigure(), 1250, 2000),
        para("Muscles can only pull, so they work in pairs. To bend the arm the biceps contracts (gets "
             "shorter and fatter) while the triceps relaxes; to straighten it, the triceps contracts and the "
             "biceps relaxes."),
        heading("Healthy bones"),
        bullet("Calcium (milk, cheese, yoghurt, green vegetables) and vitamin D (made by the skin in "
               "sunlight; also in oily fish and eggs) build strong bones."),
        bullet("Running, jumping and skipping make bones stronger; helmets and pads protect them."),
        heading("Things to watch for"),
        bullet("Many children think bones are dead and dry, like museum skeletons; living bones grow and "
               "mend."),
        heading("Using Corvana"),
        para("Key Facts is one page for pupils; the Labelling Activity names seven bones, the Ordering "
             "Activity finishes six sentences and the quiz asks ten questions."),
        heading("Ideas for the classroom"),
        bullet("Pupils feel for bones in their own bodies: skull, jaw, ribs, kneecap."),
        bullet("Sort animals: a skeleton inside (vertebrates) or a hard outer covering (insects, crabs)."),
    };
    return p;
}

} // namespace

QList<Page> topicPages()
{
    return {keyPartsOfTheBody(), partsNotes(), keyBones(), bonesNotesA(), bonesNotesB()};
}

} // namespace pages
