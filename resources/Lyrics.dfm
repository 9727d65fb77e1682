object LyricsForm: TLyricsForm
  BorderStyle = bsSizeable
  Caption = 'Define Lyrics'
  ClientHeight = 295
  ClientWidth = 420
  Color = clBtnFace
  Constraints.MinHeight = 200
  Constraints.MinWidth = 300
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Verdana'
  Font.Style = []
  Position = poScreenCenter
  OnCreate = FormCreate
  OnHide = FormHide
  OnShow = FormShow
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 106
    Height = 26
    Caption = 'Available lyrics:'#13#10'(one lyric per line)'
  end
  object Memo: TMemo
    Left = 8
    Top = 40
    Width = 402
    Height = 219
    Anchors = [akLeft, akTop, akRight, akBottom]
    ScrollBars = ssBoth
    WordWrap = False
    TabOrder = 0
  end
  object btnClose: TButton
    Left = 337
    Top = 266
    Width = 75
    Height = 23
    Anchors = [akRight, akBottom]
    Caption = 'Close'
    TabOrder = 1
    OnClick = btnCloseClick
  end
  object chkRandom: TCheckBox
    Left = 8
    Top = 270
    Width = 169
    Height = 17
    Anchors = [akLeft, akBottom]
    Caption = 'Show lyrics randomly'
    Checked = True
    TabOrder = 2
  end
end
