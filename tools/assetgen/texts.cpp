/* The texts: the setup program's licence agreement and the game's manifest. */
#include "texts.h"

namespace
{

/* The licence, in lines ended by CR LF. */
const char LICENCE[] =
    "ZENDARO END-USER LICENCE AGREEMENT\r\n\r\n"
    "Please read this agreement carefully before you install or use the software.\r\n\r\n"
    "This End-User Licence Agreement (\"Agreement\") is a legal agreement between you (either an "
    "individual or a single entity) and Fernwick Softworks Ltd (\"Fernwick\", \"we\" or \"us\") "
    "for the Zendaro game program, its installer and all pictures, sounds and documentation that "
    "come with them (together, the \"Software\"). By ticking the agreement box and pressing "
    "Install, or by copying or otherwise using the Software, you agree to be bound by the terms of "
    "this Agreement. If you do not agree to them, do not install or use the Software.\r\n\r\n"
    "1. GRANT OF LICENCE\r\n"
    "We grant you a personal, non-exclusive and non-transferable licence to install and use the "
    "Software on computers that you own or control, for your own private, non-commercial "
    "entertainment. You may make one copy of the installer for back-up purposes, provided that the "
    "copy carries all of the notices of the original.\r\n\r\n"
    "2. OWNERSHIP\r\n"
    "The Software is licensed, not sold. Fernwick and its licensors keep all rights, title and "
    "interest in the Software, including its code, artwork, sounds, names and design, and all "
    "copies of it. All rights not expressly granted to you in this Agreement are reserved.\r\n\r\n"
    "3. RESTRICTIONS\r\n"
    "You may not: (a) sell, rent, lease, lend or sublicense the Software; (b) distribute the "
    "Software for payment or as part of another product; (c) modify, translate, reverse engineer, "
    "decompile or disassemble the Software, except to the extent that the law expressly allows it; "
    "(d) remove or alter any notice of copyright or other proprietary rights; or (e) use the "
    "Software to run a game in which real money, prizes or other things of value are staked, won "
    "or lost.\r\n\r\n"
    "4. A GAME OF CHANCE PLAYED FOR FUN\r\n"
    "Zendaro is a game of chance for entertainment only. The sums of money shown in the game, the "
    "offers of the banker and the winnings of each game are imaginary. Nothing can be won, paid or "
    "lost by playing, and nothing in the Software is an offer, a prize or a promise of payment by "
    "Fernwick or anybody else. The banker is a computer routine and not a person.\r\n\r\n"
    "5. YOUR COMPUTER AND YOUR PRIVACY\r\n"
    "The installer writes the game program into the folder that you choose and starts it. Each "
    "time the game starts, it places a shortcut to itself on your desktop; you may delete that "
    "shortcut at any time. The Software does not collect, store or send any personal information, "
    "keeps no records of your games after you close it and does not change system settings. The "
    "Software needs no network connection and never contacts us or others.\r\n\r\n"
    "6. UPDATES AND SUPPORT\r\n"
    "Fernwick is under no obligation to provide updates, upgrades or support for the Software. If "
    "we do provide them, they form part of the Software and this Agreement applies to them unless "
    "they come with a licence of their own.\r\n\r\n"
    "7. TERMINATION\r\n"
    "This Agreement takes effect when you first install or use the Software and lasts until it is "
    "terminated. It ends automatically if you fail to comply with any of its terms. You may end it "
    "at any time by deleting the Software and all copies of it. On termination, you must stop "
    "using the Software and delete every copy that you hold.\r\n\r\n"
    "8. DISCLAIMER OF WARRANTY\r\n"
    "THE SOFTWARE IS PROVIDED \"AS IS\" AND WITHOUT WARRANTY OF ANY KIND. TO THE FULLEST EXTENT "
    "PERMITTED BY LAW, FERNWICK DISCLAIMS ALL WARRANTIES, WHETHER EXPRESS OR IMPLIED, INCLUDING "
    "ANY IMPLIED WARRANTIES OF SATISFACTORY QUALITY, FITNESS FOR A PARTICULAR PURPOSE AND "
    "NON-INFRINGEMENT. WE DO NOT WARRANT THAT THE SOFTWARE WILL BE FREE OF ERRORS OR THAT IT WILL "
    "RUN WITHOUT INTERRUPTION.\r\n\r\n"
    "9. LIMITATION OF LIABILITY\r\n"
    "TO THE FULLEST EXTENT PERMITTED BY LAW, FERNWICK SHALL NOT BE LIABLE FOR ANY INDIRECT, "
    "INCIDENTAL, SPECIAL OR CONSEQUENTIAL LOSS OR DAMAGE, OR FOR ANY LOSS OF DATA, PROFITS OR "
    "GOODWILL, ARISING OUT OF THE USE OF THE SOFTWARE OR THE INABILITY TO USE IT, EVEN IF WE HAVE "
    "BEEN TOLD THAT SUCH LOSS WAS POSSIBLE. OUR TOTAL LIABILITY UNDER THIS AGREEMENT SHALL NOT "
    "EXCEED THE AMOUNT, IF ANY, THAT YOU PAID FOR THE SOFTWARE.\r\n\r\n"
    "10. YOUR STATUTORY RIGHTS\r\n"
    "Nothing in this Agreement limits or excludes any liability that cannot be limited or excluded "
    "by law, such as liability for death or personal injury caused by negligence or for fraud, and "
    "nothing in it affects your statutory rights as a consumer.\r\n\r\n"
    "11. GOVERNING LAW\r\n"
    "This Agreement is governed by the laws of England and Wales, and the courts of England and "
    "Wales shall have non-exclusive jurisdiction over any dispute arising from it.\r\n\r\n"
    "12. ENTIRE AGREEMENT\r\n"
    "This Agreement is the entire agreement between you and Fernwick about the Software and "
    "replaces any earlier understanding. If any part of it is found to be unenforceable, the "
    "remaining parts stay in full force and effect.\r\n\r\n"
    "By ticking the box below you confirm that you have read and understood this Agreement and "
    "that you accept its terms.\r\n\r\n"
    "Copyright (C) Fernwick Softworks Ltd. All rights reserved.\r\n"
    "Zendaro and the Zendaro box design are trade marks of Fernwick Softworks Ltd.\r\n";

const char MANIFEST[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "  <assemblyIdentity\r\n"
    "    version=\"1.0.0.0\"\r\n"
    "    processorArchitecture=\"X86\"\r\n"
    "    name=\"CompanyName.ProductName.YourApp\"\r\n"
    "    type=\"win32\"\r\n"
    "  />\r\n"
    "  <description>Your application description here.</description>\r\n"
    "  <dependency>\r\n"
    "    <dependentAssembly>\r\n"
    "      <assemblyIdentity\r\n"
    "        type=\"win32\"\r\n"
    "        name=\"Microsoft.Windows.Common-Controls\"\r\n"
    "        version=\"6.0.0.0\"\r\n"
    "        processorArchitecture=\"X86\"\r\n"
    "        publicKeyToken=\"6595b64144ccf1df\"\r\n"
    "        language=\"*\"\r\n"
    "      />\r\n"
    "    </dependentAssembly>\r\n"
    "  </dependency>\r\n"
    "</assembly>\r\n";

} /* namespace */

std::string LicenceText()
{
    return LICENCE;
}

std::string ManifestText()
{
    return MANIFEST;
}
