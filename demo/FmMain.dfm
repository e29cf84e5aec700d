object FmMain: TFmMain
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Tovix Delphi Components Demo'
  ClientHeight = 373
  ClientWidth = 632
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  object PageControl: TPageControl
    Left = 0
    Top = 0
    Width = 632
    Height = 337
    HotTrack = True
    TabOrder = 0
    object TabIntroduction: TTabSheet
      Caption = 'Introduction'
      object LblWelcome: TLabel
        Left = 16
        Top = 12
        Width = 420
        Height = 29
        Caption = 'Welcome To The Tovix Demo'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clNavy
        Font.Height = -24
        Font.Name = 'MS Sans Serif'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object LinkWebSite: TOrvInternetLink
        Left = 16
        Top = 250
        Caption = 'https://www.example.com/'
        Url = 'https://www.example.com/'
      end
      object LinkEmail: TOrvInternetLink
        Left = 16
        Top = 272
        Caption = 'info@example.com'
        Url = 'mailto:info@example.com'
      end
      object BtnOpenHelp: TSpeedButton
        Left = 320
        Top = 250
        Width = 130
        Height = 25
        Caption = 'Open Tovix Help'
        OnClick = HelpButtonClick
      end
      object MemoIntroduction: TMemo
        Left = 16
        Top = 52
        Width = 588
        Height = 186
        Color = clYellow
        Lines.Strings = (
          'Tovix is a library of components for Windows programs: edits with a button,'
          'a time picker and a weekdays list, a tray icon, a folder browser, a dialog that'
          'plays wave files, and a link label that opens web pages and mail forms.'
          ''
          'Each page of this demo shows some of them at work. Use the tabs above, or'
          '"<< Previous" and "Next >>" below, to walk the pages. The buttons named after'
          'a class open the help file at that class.'
          ''
          'The links below open the maker'#39's web site and a message to the maker.')
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
      object BtnFerrovane: TButton
        Left = 460
        Top = 250
        Width = 144
        Height = 25
        Caption = 'Ferrovane Technologies'
        TabOrder = 1
        OnClick = BtnFerrovaneClick
      end
    end
    object TabTrayIcon: TTabSheet
      Caption = 'Tray Icon'
      object BtnHelpTrayIcon: TSpeedButton
        Left = 16
        Top = 12
        Width = 110
        Height = 25
        Caption = 'TOrvTrayIcon'
        OnClick = HelpButtonClick
      end
      object MemoTrayIcon: TMemo
        Left = 16
        Top = 46
        Width = 260
        Height = 250
        Color = clYellow
        Lines.Strings = (
          'TOrvTrayIcon puts an icon with a hint'
          'into the notification area of the'
          'taskbar.'
          ''
          'It can animate the icon from an image'
          'list, flash it, show it on the form and'
          'on the application'#39's taskbar button,'
          'hide the application from the taskbar,'
          'bring the form forward when the icon is'
          'clicked, and show a popup menu for a left'
          'or a right click.'
          ''
          'Change the settings on the right and'
          'the icon in the tray.')
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
      object GrpTraySettings: TGroupBox
        Left = 292
        Top = 40
        Width = 312
        Height = 256
        Caption = 'Tray Icon Settings'
        TabOrder = 1
        object LblHint: TLabel
          Left = 16
          Top = 192
          Width = 22
          Height = 13
          Caption = 'Hint:'
        end
        object LblFrameSpeed: TLabel
          Left = 16
          Top = 224
          Width = 67
          Height = 13
          Caption = 'Frame Speed:'
        end
        object ChkShowTrayIcon: TCheckBox
          Left = 16
          Top = 20
          Width = 140
          Height = 17
          Caption = 'Show Tray Icon'
          TabOrder = 0
          OnClick = ChkShowTrayIconClick
        end
        object ChkAnimate: TCheckBox
          Left = 16
          Top = 40
          Width = 140
          Height = 17
          Caption = 'Animate'
          TabOrder = 1
          OnClick = ChkAnimateClick
        end
        object ChkHideFromTaskbar: TCheckBox
          Left = 16
          Top = 60
          Width = 160
          Height = 17
          Caption = 'Hide App From Taskbar'
          TabOrder = 2
          OnClick = ChkHideFromTaskbarClick
        end
        object ChkChangeFormIcon: TCheckBox
          Left = 16
          Top = 80
          Width = 140
          Height = 17
          Caption = 'Change Form Icon'
          TabOrder = 3
          OnClick = ChkChangeFormIconClick
        end
        object ChkChangeAppIcon: TCheckBox
          Left = 16
          Top = 100
          Width = 140
          Height = 17
          Caption = 'Change App Icon'
          TabOrder = 4
          OnClick = ChkChangeAppIconClick
        end
        object ChkFlash: TCheckBox
          Left = 16
          Top = 120
          Width = 140
          Height = 17
          Caption = 'Flash'
          TabOrder = 5
          OnClick = ChkFlashClick
        end
        object ChkTopmost: TCheckBox
          Left = 16
          Top = 140
          Width = 240
          Height = 17
          Caption = 'Form Topmost When Tray Icon Clicked'
          TabOrder = 6
          OnClick = ChkTopmostClick
        end
        object ChkUsePopups: TCheckBox
          Left = 16
          Top = 160
          Width = 140
          Height = 17
          Caption = 'Use Popup Menus'
          TabOrder = 7
          OnClick = ChkUsePopupsClick
        end
        object EdtHint: TEdit
          Left = 96
          Top = 188
          Width = 200
          Height = 21
          TabOrder = 8
          OnKeyUp = EdtHintKeyUp
        end
        object SpnFrameSpeed: TSpinEdit
          Left = 96
          Top = 220
          Width = 80
          Height = 22
          Increment = 50
          MaxValue = 5000
          MinValue = 50
          TabOrder = 9
          Value = 1000
          OnChange = SpnFrameSpeedChange
        end
      end
    end
    object TabInternet: TTabSheet
      Caption = 'Internet'
      object BtnHelpInternetLink: TSpeedButton
        Left = 16
        Top = 12
        Width = 120
        Height = 25
        Caption = 'TOrvInternetLink'
        OnClick = HelpButtonClick
      end
      object MemoInternet: TMemo
        Left = 16
        Top = 46
        Width = 588
        Height = 110
        Color = clYellow
        Lines.Strings = (
          'TOrvInternetLink is a label that looks like a link in a web page. A click'
          'hands its address to the system, which opens it with the program registered'
          'for it: a web page in the browser, a "mailto:" address in a new mail message,'
          'a file to download.'
          'The link lights up under the mouse.')
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
      object GrpLinks: TGroupBox
        Left = 16
        Top = 166
        Width = 588
        Height = 126
        Caption = ' Here are some examples you can click on '
        TabOrder = 1
        object LinkWebPage: TOrvInternetLink
          Left = 24
          Top = 28
          Caption = '&Visit a web page'
          Url = 'https://www.example.com/'
        end
        object LinkMail: TOrvInternetLink
          Left = 24
          Top = 58
          Caption = 'Start writing an e-mail message'
          Url = 'mailto:info@example.com'
        end
        object LinkDownload: TOrvInternetLink
          Left = 24
          Top = 88
          Caption = 'Start downloading a small file'
          Url = 'https://www.example.com/files/sample.zip'
        end
      end
    end
    object TabButtonEdits: TTabSheet
      Caption = 'Button Edits'
      object BtnHelpBtnEdit: TSpeedButton
        Left = 16
        Top = 12
        Width = 110
        Height = 25
        Caption = 'TOrvBtnEdit'
        OnClick = HelpButtonClick
      end
      object BtnHelpDirEdit: TSpeedButton
        Left = 16
        Top = 62
        Width = 110
        Height = 25
        Caption = 'TOrvDirEdit'
        OnClick = HelpButtonClick
      end
      object BtnHelpFileEdit: TSpeedButton
        Left = 16
        Top = 112
        Width = 110
        Height = 25
        Caption = 'TOrvFileEdit'
        OnClick = HelpButtonClick
      end
      object BtnHelpWaveEdit: TSpeedButton
        Left = 16
        Top = 162
        Width = 110
        Height = 25
        Caption = 'TOrvWaveEdit'
        OnClick = HelpButtonClick
      end
      object OrvBtnEdit1: TOrvBtnEdit
        Left = 140
        Top = 14
        Width = 464
        Height = 21
        ButtonHint = 'Button has its own hint'
        ButtonType = btEllipsis
        Hint = 'Button to the right has its own custom hint'
        ReadOnly = True
        ShowHint = True
        TabOrder = 0
        Text = 'Your Text Goes Here'
        OnButtonClick = OrvBtnEdit1ButtonClick
      end
      object OrvDirEdit1: TOrvDirEdit
        Left = 140
        Top = 64
        Width = 464
        Height = 21
        TabOrder = 1
      end
      object OrvFileEdit1: TOrvFileEdit
        Left = 140
        Top = 114
        Width = 464
        Height = 21
        DialogFilter = 'All Files (*.*)|*.*'
        DialogOptions = [ofHideReadOnly, ofPathMustExist, ofFileMustExist]
        DialogTitle = 'Select File'
        FileNameOnly = False
        TabOrder = 2
      end
      object OrvWaveEdit1: TOrvWaveEdit
        Left = 140
        Top = 164
        Width = 464
        Height = 21
        DialogAutoPlay = False
        DialogFilter = 'Wave Files (*.wav)|*.wav'
        DialogOptions = [ofHideReadOnly, ofPathMustExist, ofFileMustExist]
        DialogTitle = 'Select Wave File'
        DialogUseRegistry = True
        FileNameOnly = False
        TabOrder = 3
      end
      object MemoButtonEdits: TMemo
        Left = 16
        Top = 204
        Width = 588
        Height = 92
        Color = clYellow
        Lines.Strings = (
          'Edits with a button inside them. TOrvBtnEdit runs your own code when its button is'
          'pressed (this one is read-only and has a hint of its own on the button).'
          'TOrvDirEdit picks a folder, TOrvFileEdit a file, and TOrvWaveEdit a wave file with a'
          'dialog that can play it. Type a path or press the button.')
        ReadOnly = True
        TabOrder = 4
        TabStop = False
      end
    end
    object TabDialogs: TTabSheet
      Caption = 'Dialogs'
      object BtnHelpOpenWaveDialog: TSpeedButton
        Left = 16
        Top = 12
        Width = 140
        Height = 25
        Caption = 'TOrvOpenWaveDialog'
        OnClick = HelpButtonClick
      end
      object BtnHelpFolderBrowser: TSpeedButton
        Left = 164
        Top = 12
        Width = 130
        Height = 25
        Caption = 'TOrvFolderBrowser'
        OnClick = HelpButtonClick
      end
      object MemoDialogs: TMemo
        Left = 16
        Top = 46
        Width = 588
        Height = 180
        Color = clYellow
        Lines.Strings = (
          'TOrvFolderBrowser asks for a folder with the system'#39's folder dialog. It can start on'
          'a folder, show a caption, a title and a status line, and follow the selection.'
          ''
          'TOrvOpenWaveDialog is the open dialog with a button that plays the selected wave'
          'file, and it can keep the last folder in the registry.')
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
      object BtnExecuteFolderBrowser: TButton
        Left = 16
        Top = 240
        Width = 200
        Height = 25
        Caption = 'Execute Folder Browser Dialog'
        TabOrder = 1
        OnClick = BtnExecuteFolderBrowserClick
      end
      object BtnExecuteOpenWave: TButton
        Left = 232
        Top = 240
        Width = 200
        Height = 25
        Caption = 'Execute Open Wave Dialog'
        TabOrder = 2
        OnClick = BtnExecuteOpenWaveClick
      end
    end
    object TabDateTime: TTabSheet
      Caption = 'Date/Time'
      object BtnHelpWeekdaysCombo: TSpeedButton
        Left = 16
        Top = 12
        Width = 140
        Height = 25
        Caption = 'TOrvWeekdaysCombo'
        OnClick = HelpButtonClick
      end
      object BtnHelpTimePicker: TSpeedButton
        Left = 16
        Top = 196
        Width = 140
        Height = 25
        Caption = 'TOrvTimePicker'
        OnClick = HelpButtonClick
      end
      object OrvWeekdaysCombo1: TOrvWeekdaysCombo
        Left = 168
        Top = 14
        Width = 160
        Height = 21
        DropDownCount = 10
        Style = csDropDownList
        TabOrder = 0
      end
      object MemoDateTime: TMemo
        Left = 16
        Top = 46
        Width = 588
        Height = 136
        Color = clYellow
        Lines.Strings = (
          'TOrvWeekdaysCombo lists the days of the week, with "(None)", "Monday - Friday"'
          'and "Saturday - Sunday"; its Day property tells which one is chosen.'
          ''
          'TOrvTimePicker is the system'#39's date-time picker set up for a time of day. Two'
          'switches choose 12 or 24 hours and whether seconds show, and any format of the'
          'picker'#39's own can be given instead.')
        ReadOnly = True
        TabOrder = 1
        TabStop = False
      end
      object PnlTime: TPanel
        Left = 168
        Top = 192
        Width = 436
        Height = 100
        BevelOuter = bvLowered
        TabOrder = 2
        object ChkShowAmPm: TCheckBox
          Left = 16
          Top = 14
          Width = 120
          Height = 17
          Caption = 'Show AM/PM'
          State = cbChecked
          TabOrder = 0
          OnClick = ChkShowAmPmClick
        end
        object ChkShowSeconds: TCheckBox
          Left = 16
          Top = 38
          Width = 120
          Height = 17
          Caption = 'Show Seconds'
          TabOrder = 1
          OnClick = ChkShowSecondsClick
        end
        object BtnChangeFormat: TButton
          Left = 16
          Top = 64
          Width = 120
          Height = 25
          Caption = 'Change Format...'
          TabOrder = 2
          OnClick = BtnChangeFormatClick
        end
        object OrvTimePicker1: TOrvTimePicker
          Left = 160
          Top = 36
          Width = 120
          Height = 21
          AutoSize = True
          ParseInput = False
          ShowAmPm = True
          ShowSeconds = False
          TabOrder = 3
        end
      end
    end
    object TabNonVisual: TTabSheet
      Caption = 'Non-Visual'
      object MemoNonVisual: TMemo
        Left = 16
        Top = 16
        Width = 588
        Height = 276
        Color = clYellow
        Lines.Strings = (
          'The library also has classes and routines that show nothing on a form:'
          ''
          'TOrvWise - Wise installer support: the variables a setup script passes to'
          '    a DLL, read and written by name.'
          'TOrvDelphiVersions - the IDE version manager: which IDE versions are'
          '    installed, with their folders, packages and help files.'
          'Orvutils - string routines: parts, searches, replacements and paths.'
          'Orvcom - COM routines: class registration and identifiers.'
          'TOrvPnh - namespace handler routines: URL protocols of your own.'
          'TOrvRegistry - a registry helper whose typed reads fall back to defaults.'
          'TOrvFileStream - a file stream with plain error messages.'
          'TOrvBitmap - a bitmap that makes icon masks and icons of itself.')
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
    end
  end
  object BtnHelp: TBitBtn
    Left = 8
    Top = 342
    Width = 110
    Height = 25
    Caption = 'Tovix &Help'
    Kind = bkHelp
    TabOrder = 1
    OnClick = HelpButtonClick
  end
  object BtnPrevious: TButton
    Left = 432
    Top = 342
    Width = 92
    Height = 25
    Caption = '<< &Previous'
    TabOrder = 2
    OnClick = BtnPreviousClick
  end
  object BtnNext: TButton
    Left = 532
    Top = 342
    Width = 92
    Height = 25
    Caption = '&Next >>'
    TabOrder = 3
    OnClick = BtnNextClick
  end
  object OrvFolderBrowser1: TOrvFolderBrowser
    Caption = 'Your caption goes here'
    StatusText = 'Your optional status line can go here'
    StatusTextShown = True
    Title = 'Your optional title can go here'
  end
  object OrvOpenWaveDialog1: TOrvOpenWaveDialog
    Options = [ofHideReadOnly, ofPathMustExist, ofFileMustExist]
    Title = 'Your Title Goes Here'
    UseRegistry = True
  end
  object ImagesIcons: TImageList
    Bitmap = {
      424D361800000000000036000000280000008000000010000000010018000000
      0000001800000000000000000000000000000000000000000000000000000000
      0000000000000000000000B4501EB4501E000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000B4501EB4501E000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      000000000000000000000000CCFF00CCFF000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000B4501EB4501E000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      0000B4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000000000
      000000000000000000000000000000000000B4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501E00000000000000000000000000000000000000000000
      0000B4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000000000
      000000000000000000000000000000000000B4501EB4501EB4501EB4501EB450
      1EB4501E00CCFF00CCFF00000000000000000000000000000000000000000000
      0000B4501E00CCFF00CCFF00CCFF00CCFF00CCFF00CCFFB4501E000000000000
      00000000000000000000000000000000000000CCFF00CCFFB4501EB4501EB450
      1EB4501EB4501EB4501E00000000000000000000000000000000000000000000
      0000B4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000000000
      000000000000000000000000000000000000B4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501E000000000000000000000000000000000000000000B4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000
      000000000000000000000000000000B4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501E000000000000000000000000000000000000B4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000
      000000000000000000000000000000B4501EB4501EB4501EB4501EB4501EB450
      1EB4501E00CCFF00CCFF00CCFF000000000000000000000000000000000000B4
      501EB4501EB4501E00CCFF00CCFF00CCFF00CCFFB4501EB4501EB4501E000000
      00000000000000000000000000000000CCFF00CCFF00CCFFB4501EB4501EB450
      1EB4501EB4501EB4501EB4501E000000000000000000000000000000000000B4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000
      000000000000000000000000000000B4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501E000000000000000000000000000000B4501EB4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E
      000000000000000000000000B4501EB4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501EB4501E000000000000000000000000B4501EB4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E
      000000000000000000000000B4501EB4501EB4501EB4501EB4501EB4501EB450
      1EB4501E00CCFF00CCFF00CCFF00CCFF000000000000000000000000B4501EB4
      501EB4501EB4501E00CCFF00CCFF00CCFF00CCFFB4501EB4501EB4501EB4501E
      00000000000000000000000000CCFF00CCFF00CCFF00CCFFB4501EB4501EB450
      1EB4501EB4501EB4501EB4501EB4501E000000000000000000000000B4501EB4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E
      000000000000000000000000B4501EB4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501EB4501E000000000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501EB4501E64280A64280A6428
      0A64280AB4501EB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501EB4501E64280A64280A6428
      0A64280A00CCFF00CCFF00CCFF00CCFF00CCFF000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E00000000000000CCFF00CCFF00CCFF00CCFF00CCFF64280A64280A6428
      0A64280AB4501EB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501EB4501E64280A64280A6428
      0A64280AB4501EB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501E64280A0000000000000000
      0000000064280AB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      00CCFF000000000000B4501EB4501EB4501EB4501E64280A0000000000000000
      0000000064280A00CCFF00CCFF00CCFF00CCFF000000000000B4501EB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      B4501E00000000000000CCFF00CCFF00CCFF00CCFF64280A0000000000000000
      0000000064280AB4501EB4501EB4501EB4501E00000000000000CCFFB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501E64280A0000000000000000
      0000000064280AB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501E000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E000000000000B4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280A00CCFF00CCFF
      00CCFF000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E000000000000B4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501E000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E00000000000000CCFF00CCFF00
      CCFF64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501E000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E000000B4501EB4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501EB4501EB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280A00CCFF00CCFF
      00CCFF00CCFFB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501EB4501EB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501E00CCFF00CCFF00CCFF00
      CCFF64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501EB4501EB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501EB4501EB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280A00CCFF00CCFF
      00CCFF00CCFFB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501EB4501EB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501E00CCFF00CCFF00CCFF00
      CCFF64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501EB4501EB4501EB4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501EB4501E000000B4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501E000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E000000000000B4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280A00CCFF00CCFF
      00CCFF000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E000000000000B4501EB4501EB4
      501E64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501E000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E00000000000000CCFF00CCFF00
      CCFF64280A00000000000000000000000000000000000064280AB4501EB4501E
      B4501E000000000000B4501EB4501EB4501E64280A0000000000000000000000
      0000000000000064280AB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501E64280A0000000000000000
      0000000064280A00CCFF00CCFF00CCFF00CCFF000000000000B4501EB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      00CCFF000000000000B4501EB4501EB4501EB4501E64280A0000000000000000
      0000000064280AB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501E64280A0000000000000000
      0000000064280AB4501EB4501EB4501EB4501E00000000000000CCFFB4501EB4
      501EB4501E64280A00000000000000000000000064280AB4501EB4501EB4501E
      B4501E00000000000000CCFF00CCFF00CCFF00CCFF64280A0000000000000000
      0000000064280AB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501EB4501E64280A64280A6428
      0A64280A00CCFF00CCFF00CCFF00CCFF00CCFF000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501EB4501E64280A64280A6428
      0A64280AB4501EB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E000000000000B4501EB4501EB4501EB4501EB4501E64280A64280A6428
      0A64280AB4501EB4501EB4501EB4501EB4501E000000000000B4501EB4501EB4
      501EB4501EB4501E64280A64280A64280A64280AB4501EB4501EB4501EB4501E
      B4501E00000000000000CCFF00CCFF00CCFF00CCFF00CCFF64280A64280A6428
      0A64280AB4501EB4501EB4501EB4501EB4501E000000000000000000B4501EB4
      501EB4501EB4501E00CCFF00CCFF00CCFF00CCFFB4501EB4501EB4501EB4501E
      000000000000000000000000B4501EB4501EB4501EB4501EB4501EB4501EB450
      1EB4501E00CCFF00CCFF00CCFF00CCFF000000000000000000000000B4501EB4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E
      000000000000000000000000B4501EB4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501EB4501E000000000000000000000000B4501EB4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E
      000000000000000000000000B4501EB4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501EB4501E000000000000000000000000B4501EB4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E
      00000000000000000000000000CCFF00CCFF00CCFF00CCFFB4501EB4501EB450
      1EB4501EB4501EB4501EB4501EB4501E000000000000000000000000000000B4
      501EB4501EB4501E00CCFF00CCFF00CCFF00CCFFB4501EB4501EB4501E000000
      000000000000000000000000000000B4501EB4501EB4501EB4501EB4501EB450
      1EB4501E00CCFF00CCFF00CCFF000000000000000000000000000000000000B4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000
      000000000000000000000000000000B4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501E000000000000000000000000000000000000B4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000
      000000000000000000000000000000B4501EB4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501EB4501E000000000000000000000000000000000000B4
      501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000
      00000000000000000000000000000000CCFF00CCFF00CCFFB4501EB4501EB450
      1EB4501EB4501EB4501EB4501E00000000000000000000000000000000000000
      0000B4501E00CCFF00CCFF00CCFF00CCFF00CCFF00CCFFB4501E000000000000
      000000000000000000000000000000000000B4501EB4501EB4501EB4501EB450
      1EB4501E00CCFF00CCFF00000000000000000000000000000000000000000000
      0000B4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000000000
      000000000000000000000000000000000000B4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501E00000000000000000000000000000000000000000000
      0000B4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000000000
      000000000000000000000000000000000000B4501EB4501EB4501EB4501EB450
      1EB4501EB4501EB4501E00000000000000000000000000000000000000000000
      0000B4501EB4501EB4501EB4501EB4501EB4501EB4501EB4501E000000000000
      00000000000000000000000000000000000000CCFF00CCFFB4501EB4501EB450
      1EB4501EB4501EB4501E00000000000000000000000000000000000000000000
      000000000000000000000000CCFF00CCFF000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000B4501EB4501E000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000B4501EB4501E000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E00000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000B4501EB4501E000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000B4501EB450
      1E000000000000000000000000000000000000000000424D3E01000000000000
      3E00000028000000800000001000000001000100000000000001000000000000
      00000000020000000000000000000000FFFFFF00FE7FFE7FFE7FFE7FFE7FFE7F
      FE7FFE7FF00FF00FF00FF00FF00FF00FF00FF00FE007E007E007E007E007E007
      E007E007C003C003C003C003C003C003C003C003800180018001800180018001
      8001800183C183C183C183C183C183C183C183C187E187E187E187E187E187E1
      87E187E107E007E007E007E007E007E007E007E007E007E007E007E007E007E0
      07E007E087E187E187E187E187E187E187E187E183C183C183C183C183C183C1
      83C183C180018001800180018001800180018001C003C003C003C003C003C003
      C003C003E007E007E007E007E007E007E007E007F00FF00FF00FF00FF00FF00F
      F00FF00FFE7FFE7FFE7FFE7FFE7FFE7FFE7FFE7F}
  end
  object PopupLeft: TPopupMenu
    object PopupLeftA: TMenuItem
      Caption = 'A'
      Enabled = False
    end
    object PopupLeftB: TMenuItem
      Caption = 'B'
      Enabled = False
    end
    object PopupLeftC: TMenuItem
      Caption = 'C'
      Enabled = False
    end
    object PopupLeftD: TMenuItem
      Caption = 'D'
      Enabled = False
    end
  end
  object PopupRight: TPopupMenu
    object PopupRight1: TMenuItem
      Caption = '1'
      Enabled = False
    end
    object PopupRight2: TMenuItem
      Caption = '2'
      Enabled = False
    end
    object PopupRight3: TMenuItem
      Caption = '3'
      Enabled = False
    end
    object PopupRight4: TMenuItem
      Caption = '4'
      Enabled = False
    end
  end
  object TrayIcon: TOrvTrayIcon
    ChangeFormIcon = True
    ChangeAppIcon = True
    LeftClickPopup = PopupLeft
    RightClickPopup = PopupRight
    Hint = 'Your Hint Goes Here'
    AnimIcons = ImagesIcons
    ShowTrayIcon = True
    Icon.Data = {
      0000010001001010100001000400280100001600000028000000100000002000
      00000100040000000000C0000000000000000000000010000000000000000000
      0000000080000080000000808000800000008000800080800000C0C0C0008080
      80000000FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF000000
      0000000000000044444444444400044CCCCCCCCCC44004CCCCCFFCCCCC4004CC
      CCCFFCCCCC4004CCCCCFFCCCCC4004CCCCCFFCCCCC4004CCCCCFFCCCCC4004CC
      CCCFFCCCCC4004CCCCCFFCCCCC4004CCCCCFFCCCCC4004CFFFFFFFFFFC4004CF
      FFFFFFFFFC40044CCCCCCCCCC44000444444444444000000000000000000FFFF
      0000C00300008001000080010000800100008001000080010000800100008001
      00008001000080010000800100008001000080010000C0030000FFFF0000}
    FlashIcon.Data = {
      0000010001001010100001000400280100001600000028000000100000002000
      00000100040000000000C0000000000000000000000010000000000000000000
      0000000080000080000000808000800000008000800080800000C0C0C0008080
      80000000FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF000000
      000000000000004444444444440004499999999994400499999FF99999400499
      999FF99999400499999FF99999400499999FF99999400499999FF99999400499
      999FF99999400499999FF99999400499999FF9999940049FFFFFFFFFF940049F
      FFFFFFFFF940044999999999944000444444444444000000000000000000FFFF
      0000C00300008001000080010000800100008001000080010000800100008001
      00008001000080010000800100008001000080010000C0030000FFFF0000}
    Animate = True
  end
end
